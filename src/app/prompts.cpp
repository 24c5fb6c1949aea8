#include "app/prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace mivo {
namespace {

const QString kCaption = QStringLiteral("Mivo書類発行");

class DesktopPrompts : public Prompts {
  public:
    void warn(QWidget* parent, const QString& text) override {
        QMessageBox::warning(parent, kCaption, text);
    }

    bool ask(QWidget* parent, const QString& text) override {
        return QMessageBox::question(parent, kCaption, text) == QMessageBox::Yes;
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
};

} // namespace

std::unique_ptr<Prompts> desktopPrompts() { return std::make_unique<DesktopPrompts>(); }

} // namespace mivo
