#include "forms/output_dialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace mivo {
namespace {

// The picture dialog's choices: format, suffix and resolution.
struct ImageKind {
    const char* format;
    const char* suffix;
    int dpi;
};
constexpr ImageKind kImageKinds[] = {
    {"PNG", "png", 150},  {"PNG", "png", 200},  {"PNG", "png", 300},
    {"JPEG", "jpg", 150}, {"JPEG", "jpg", 200}, {"JPEG", "jpg", 300},
};

QString filterOf(const ImageKind& kind) {
    return QStringLiteral("%1 %2 dpi (*.%3)")
        .arg(QLatin1String(kind.format))
        .arg(kind.dpi)
        .arg(QLatin1String(kind.suffix));
}

} // namespace

ImageChoice askImageFile(QWidget* parent, const QString& suggestedName) {
    QFileDialog dialog(parent, QStringLiteral("画像として保存"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const ImageKind& kind : kImageKinds)
        filters << filterOf(kind);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        dialog.setDefaultSuffix(filter.endsWith(u"jpg)") ? QStringLiteral("jpg")
                                                         : QStringLiteral("png"));
    });
    dialog.selectFile(QDir::home().filePath(suggestedName + QStringLiteral(".png")));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const ImageKind& kind = kImageKinds[qMax(0, filters.indexOf(dialog.selectedNameFilter()))];
    return {dialog.selectedFiles().value(0), kind.format, kind.dpi};
}

std::optional<PrinterChoice> askPrinter(QWidget* parent) {
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    if (printers.isEmpty()) {
        QMessageBox::warning(parent, QStringLiteral("印刷"),
                             QStringLiteral("プリンタがインストールされていません。プリンタを設定"
                                            "してからもう一度印刷してください。"));
        return std::nullopt;
    }
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    auto* printer = new QComboBox(&dialog);
    printer->addItems(printers);
    printer->setCurrentText(QPrinterInfo::defaultPrinterName());
    auto* copies = new QSpinBox(&dialog);
    copies->setRange(1, 99);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("印刷"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("プリンタ(&P):"), printer);
    form->addRow(QStringLiteral("部数(&C):"), copies);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return PrinterChoice{printer->currentText(), copies->value()};
}

std::optional<CaseDocumentsChoice> askCaseDocuments(QWidget* parent, const QStringList& titles) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("案件の書類をまとめて"));
    auto* list = new QListWidget(&dialog);
    for (const QString& title : titles) {
        auto* item = new QListWidgetItem(title, list);
        item->setCheckState(Qt::Checked);
    }
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* print = buttons->addButton(QStringLiteral("印刷"), QDialogButtonBox::AcceptRole);
    QPushButton* pdf =
        buttons->addButton(QStringLiteral("PDFとして保存..."), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    bool toPdf = false;
    QObject::connect(pdf, &QPushButton::clicked, &dialog, [&] { toPdf = true; });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // Nothing ticked, nothing to send.
    QObject::connect(list, &QListWidget::itemChanged, &dialog, [&] {
        bool any = false;
        for (int i = 0; i < list->count(); ++i)
            any = any || list->item(i)->checkState() == Qt::Checked;
        print->setEnabled(any);
        pdf->setEnabled(any);
    });
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("一つの印刷、一つの PDF に、一書類一ページで"
                                                "まとめます。"),
                                 &dialog));
    layout->addWidget(list);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    CaseDocumentsChoice choice{{}, toPdf};
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->checkState() == Qt::Checked)
            choice.titles << list->item(i)->text();
    }
    return choice;
}

} // namespace mivo
