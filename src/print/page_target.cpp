#include "print/page_target.h"

#include "document/file_output.h"
#include "print/pdf_reproducible.h"
#include "print/printer_surface.h"
#include "print/twips_per_inch.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <cups/cups.h>

namespace mivo {
namespace {

void writeOrThrow(const QByteArray& path, const QByteArray& data) {
    const FileWrite written = writeWholeFile(path, data);
    if (!written.ok())
        throw PrintError(written.error);
}

QPageLayout withMargins(const QPageLayout& layout, QMarginsF marginsInPoints) {
    return QPageLayout(layout.pageSize(), layout.orientation(), marginsInPoints,
                       QPageLayout::Point);
}

} // namespace

// The printer

PrinterTarget::PrinterTarget(QString printerName, int copies)
    : printerName_(std::move(printerName)), copies_(copies) {}
PrinterTarget::~PrinterTarget() = default;

QPaintDevice& PrinterTarget::open(const QPageLayout& layout) {
    const QPrinterInfo info = printerName_.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                     : QPrinterInfo::printerInfo(printerName_);
    if (info.isNull() && printerName_.isEmpty()) {
        throw PrintError(QStringLiteral("プリンタがインストールされていません。プリンタを設定してか"
                                        "らもう一度印刷してください。"));
    }
    if (info.isNull()) {
        throw PrintError(QStringLiteral("プリンタ %1 が見つかりません。別のプリンタを選んでくだ"
                                        "さい。")
                             .arg(printerName_));
    }
    printerName_ = info.printerName();
    // The printer's own description gives the unprintable margins of the paper.
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageSize(layout.pageSize());
    printer.setPageOrientation(layout.orientation());
    page_ =
        std::make_unique<PdfTarget>(QByteArray(), printer.pageLayout().margins(QPageLayout::Point));
    return page_->open(layout);
}

void PrinterTarget::newPage(const QPageLayout& layout) { page_->newPage(layout); }

void PrinterTarget::finish(bool painterEnded) {
    page_->finish(painterEnded);
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/mivo-XXXXXX.pdf"));
    if (!file.open() || file.write(page_->data()) != page_->data().size() || !file.flush())
        throw PrintError(QStringLiteral("印刷データを一時ファイルに書けませんでした。"));
    cups_option_t* options = nullptr;
    int count = cupsAddOption("media", "A4", 0, &options);
    count = cupsAddOption("copies", QByteArray::number(copies_).constData(), count, &options);
    const int job = cupsPrintFile(printerName_.toUtf8().constData(),
                                  QFile::encodeName(file.fileName()).constData(), "Mivo書類発行",
                                  count, options);
    cupsFreeOptions(count, options);
    if (job == 0) {
        throw PrintError(QStringLiteral("プリンタ %1 が印刷を受け付けませんでした（%2）。")
                             .arg(printerName_, QString::fromUtf8(cupsLastErrorString())));
    }
}

// PDF

PdfTarget::PdfTarget(QByteArray path, QMarginsF marginsInPoints)
    : path_(std::move(path)), margins_(marginsInPoints) {}
PdfTarget::~PdfTarget() = default;

QPaintDevice& PdfTarget::open(const QPageLayout& layout) {
    const SourceDate source = sourceDateFromEnvironment();
    if (!source.error.isEmpty())
        throw PrintError(source.error);
    creationDate_ = source.date;
    fixedOrder_ = std::make_unique<FixedHashOrder>(); // before the writer makes its hashes
    buffer_ = std::make_unique<QBuffer>();
    buffer_->open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(buffer_.get());
    writer_->setResolution(TwipsPerInch); // every size the layouts use is whole device units
    writer_->setCreator(QStringLiteral("Mivo書類発行"));
    writer_->setPageLayout(withMargins(layout, margins_));
    return *writer_;
}

// One writer for the whole file, so that each font subset is embedded once.
void PdfTarget::newPage(const QPageLayout& layout) {
    if (!writer_->setPageLayout(withMargins(layout, margins_)) || !writer_->newPage())
        throw PrintError(QStringLiteral("PDF に次のページを作れませんでした。"));
}

void PdfTarget::finish(bool painterEnded) {
    writer_.reset(); // flushes nothing more; the painter has written the whole file
    fixedOrder_.reset();
    data_ = buffer_->data();
    buffer_.reset();
    if (!painterEnded || data_.isEmpty())
        throw PrintError(QStringLiteral("PDF を作れませんでした。"));
    if (creationDate_ && !setCreationDate(data_, *creationDate_))
        throw PrintError(QStringLiteral("PDF の作成日時を SOURCE_DATE_EPOCH にできませんでした。"));
    if (!path_.isEmpty())
        writeOrThrow(path_, data_);
}

// Pictures

ImageTarget::ImageTarget(int dpi, QByteArray path, QByteArray format)
    : dpi_(dpi), path_(std::move(path)), format_(std::move(format)) {}

QPaintDevice& ImageTarget::open(const QPageLayout& layout) {
    const QSizeF inches = layout.fullRect(QPageLayout::Inch).size();
    image_ =
        QImage(qRound(inches.width() * dpi_), qRound(inches.height() * dpi_), QImage::Format_RGB32);
    if (image_.isNull())
        throw PrintError(QStringLiteral("画像を作るメモリが足りません。解像度を下げてください。"));
    const int dotsPerMetre = qRound(dpi_ / 0.0254);
    image_.setDotsPerMeterX(dotsPerMetre);
    image_.setDotsPerMeterY(dotsPerMetre);
    image_.fill(Qt::white);
    return image_;
}

void ImageTarget::newPage(const QPageLayout&) {
    throw PrintError(
        QStringLiteral("画像には一枚しか描けません。書類を一つずつ保存してください。"));
}

void ImageTarget::finish(bool painterEnded) {
    if (!painterEnded)
        throw PrintError(QStringLiteral("画像を作れませんでした。"));
    if (path_.isEmpty())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format_);
    writer.setQuality(90); // JPEG: small letters stay clean
    if (!writer.write(image_)) {
        throw PrintError(QStringLiteral("%1 を作れませんでした（%2）。解像度を下げてください。")
                             .arg(QString::fromLatin1(format_), writer.errorString()));
    }
    writeOrThrow(path_, bytes);
}

} // namespace mivo
