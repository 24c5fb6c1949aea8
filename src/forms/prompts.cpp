#include "forms/prompts.h"

#include "forms/map_fetch_dialog.h"

#include "forms/output_dialogs.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace mivo {
namespace {

const QString kCaption = QStringLiteral("Mivo書類発行");

// "Bitmap(*.bmp)|*.bmp|GIF(*.gif)|*.gif" becomes Qt's "Bitmap(*.bmp) (*.bmp);;GIF(*.gif) (*.gif)";
// the dialog hides the trailing pattern, so each choice reads as its description.
QString qtNameFilters(const QString& filter) {
    const QStringList pieces = filter.split(QLatin1Char('|'));
    QStringList choices;
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2)
        choices << QStringLiteral("%1 (%2)").arg(pieces[i], pieces[i + 1]);
    return choices.join(QLatin1String(";;"));
}

class DesktopPrompts : public Prompts {
  public:
    void warn(QWidget* parent, const QString& text) override {
        QMessageBox::warning(parent, kCaption, text);
    }

    void inform(QWidget* parent, const QString& text) override {
        QMessageBox::information(parent, kCaption, text);
    }

    std::optional<int> choose(QWidget* parent, const QString& text,
                              const QStringList& choices) override {
        bool ok = false;
        const QString picked =
            QInputDialog::getItem(parent, kCaption, text, choices, 0, false, &ok);
        if (!ok)
            return std::nullopt;
        return int(choices.indexOf(picked));
    }

    bool ask(QWidget* parent, const QString& text) override {
        return QMessageBox::question(parent, kCaption, text) == QMessageBox::Yes;
    }
    bool confirm(QWidget* parent, const QString& text) override {
        return QMessageBox::question(parent, kCaption, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    }

    bool printAnyway(QWidget* parent, const QStringList& findings, bool* stopAsking) override {
        QMessageBox box(QMessageBox::Warning, kCaption,
                        QStringLiteral("印刷の前に、次の欄を確かめてください。"),
                        QMessageBox::NoButton, parent);
        // A long list stays short on screen; the rest is behind 詳細.
        constexpr int kShown = 12;
        QStringList shown = findings.mid(0, kShown);
        if (findings.size() > kShown)
            shown.append(QStringLiteral("ほか %1 件").arg(findings.size() - kShown));
        box.setInformativeText(shown.join(u'\n'));
        if (findings.size() > kShown)
            box.setDetailedText(findings.join(u'\n'));
        QPushButton* print = box.addButton(QStringLiteral("このまま印刷"), QMessageBox::AcceptRole);
        QPushButton* back = box.addButton(QStringLiteral("戻って直す"), QMessageBox::RejectRole);
        box.setDefaultButton(back);
        box.setEscapeButton(back);
        auto* never = new QCheckBox(QStringLiteral("印刷の前にこの一覧を表示しない"));
        box.setCheckBox(never);
        box.exec();
        *stopAsking = never->isChecked();
        return box.clickedButton() == print;
    }

    QString pdfSavePath(QWidget* parent, const QString& suggestedName) override {
        QFileDialog dialog(parent, QStringLiteral("PDF ファイルとして保存"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(QStringLiteral("PDF ファイル (*.pdf)"));
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        dialog.selectFile(QDir::home().filePath(suggestedName));
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles().value(0);
    }

    ImageChoice imageSavePath(QWidget* parent, const QString& suggestedName) override {
        return askImageFile(parent, suggestedName);
    }

    std::optional<PrinterChoice> choosePrinter(QWidget* parent) override {
        return askPrinter(parent);
    }

    std::optional<CaseDocumentsChoice> chooseCaseDocuments(QWidget* parent,
                                                           const QStringList& titles) override {
        return askCaseDocuments(parent, titles);
    }

    QString openFileName(QWidget* parent, const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, QString(), QString(), qtNameFilters(filter),
                                            nullptr, QFileDialog::HideNameFilterDetails);
    }

    QString saveFileName(QWidget* parent, const QString& suggestedName,
                         const QString& filter) override {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(qtNameFilters(filter));
        dialog.setDefaultSuffix(filter.section(u'|', 1, 1).section(u'.', -1));
        dialog.selectFile(QDir::home().filePath(suggestedName));
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles().value(0);
    }

    // The first paint program found, else whatever the desktop opens pictures with.
    bool startPaintProgram(const QString& picturePath) override {
        for (const char* name : {"kolourpaint", "pinta", "gimp", "mtpaint"}) {
            const QString program = QStandardPaths::findExecutable(QLatin1String(name));
            if (!program.isEmpty() && QProcess::startDetached(program, {picturePath}))
                return true;
        }
        return QDesktopServices::openUrl(QUrl::fromLocalFile(picturePath));
    }
    std::optional<LocationMapFetch> fetchLocationMap(QWidget* parent, const QString& homeAddress,
                                                     const QString& parkingAddress) override {
        MapFetchDialog dialog(homeAddress, parkingAddress, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.result();
    }
};

} // namespace

std::unique_ptr<Prompts> desktopPrompts() { return std::make_unique<DesktopPrompts>(); }

} // namespace mivo
