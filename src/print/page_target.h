#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QPageLayout>
#include <QString>

#include <memory>
#include <optional>

class QPaintDevice;
class QPainter;
class QPdfWriter;
class QBuffer;

namespace mivo {

class FixedHashOrder;

// Where a painted page goes. The painter surface opens the target when the job draws its first
// mark, paints on the device it returns, and finishes it when the job ends; a job that is
// cancelled is never finished, so nothing of it is handed over. Failures throw PrintError
// with a reason fit for the user.
class PageTarget {
  public:
    virtual ~PageTarget() = default;

    virtual QPaintDevice& open(const QPageLayout& layout) = 0;
    // Starts the next page on the device open() returned, while the painter stays open.
    virtual void newPage(const QPageLayout& layout) = 0;
    // The painter has ended; hand the pages over (spool them, write the file).
    virtual void finish(bool painterEnded) = 0;
};

class PdfTarget;

// A printer through CUPS: the queue named, or the system's default when the name is empty.
// The pages are drawn as a PDF whose origin is the corner of the printer's printable area,
// then handed to the scheduler as one job, so that a queue that refuses it is reported rather
// than taken as printed.
class PrinterTarget : public PageTarget {
  public:
    explicit PrinterTarget(QString printerName = {}, int copies = 1);
    ~PrinterTarget() override;
    QPaintDevice& open(const QPageLayout& layout) override;
    void newPage(const QPageLayout& layout) override;
    void finish(bool painterEnded) override;

    // The printer the page went to, once it is open.
    const QString& printerName() const { return printerName_; }

  private:
    QString printerName_;
    int copies_;
    std::unique_ptr<PdfTarget> page_;
};

// A PDF file of one page or several. Without margins it has no unprintable area: the origin is
// the paper's corner. The file is written only when it is complete; a failed job leaves no
// file behind. The same pages give the same bytes in every run, dated SOURCE_DATE_EPOCH when
// that is set.
class PdfTarget : public PageTarget {
  public:
    // `path` as the file system spells it (QFile::encodeName); empty for no file.
    explicit PdfTarget(QByteArray path, QMarginsF marginsInPoints = {});
    ~PdfTarget() override;
    QPaintDevice& open(const QPageLayout& layout) override;
    void newPage(const QPageLayout& layout) override;
    void finish(bool painterEnded) override;

    // The PDF last finished, also when no path was given.
    QByteArray data() const { return data_; }

  private:
    QByteArray path_;
    QMarginsF margins_;
    QByteArray data_;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<FixedHashOrder> fixedOrder_; // while the writer draws
    std::optional<QDateTime> creationDate_;
};

// A picture of the whole paper at `dpi`, white behind the page; written in `format` (PNG or
// JPEG) when a path is given and the page is complete.
class ImageTarget : public PageTarget {
  public:
    explicit ImageTarget(int dpi, QByteArray path = {}, QByteArray format = "PNG");
    QPaintDevice& open(const QPageLayout& layout) override;
    // A picture is one page: refused.
    void newPage(const QPageLayout& layout) override;
    void finish(bool painterEnded) override;

    const QImage& image() const { return image_; }

  private:
    int dpi_;
    QByteArray path_;
    QByteArray format_;
    QImage image_;
};

} // namespace mivo
