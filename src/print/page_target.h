#pragma once

#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QString>

#include <memory>

class QPaintDevice;
class QPainter;
class QPdfWriter;
class QBuffer;

namespace mivo {

// Where a painted page goes. The painter surface opens the target when the job draws its first
// mark, paints on the device it returns, and finishes it when the job ends; a job that is
// cancelled is never finished, so nothing of it is handed over. Failures throw PrintError
// with a reason fit for the user.
class PageTarget {
  public:
    virtual ~PageTarget() = default;

    virtual QPaintDevice& open(const QPageLayout& layout) = 0;
    // The painter has ended; hand the page over (spool it, write the file).
    virtual void finish(bool painterEnded) = 0;
};

class PdfTarget;

// The system's default printer, through CUPS. The page is drawn as a PDF whose origin is the
// corner of the printer's printable area, then handed to the scheduler as one job, so that a
// queue that refuses it is reported rather than taken as printed.
class PrinterTarget : public PageTarget {
  public:
    PrinterTarget();
    ~PrinterTarget() override;
    QPaintDevice& open(const QPageLayout& layout) override;
    void finish(bool painterEnded) override;

    // The printer the page went to, once it is open.
    const QString& printerName() const { return printerName_; }

  private:
    QString printerName_;
    std::unique_ptr<PdfTarget> page_;
};

// A PDF file. Without margins it has no unprintable area: the origin is the paper's corner.
// The file is written only when the page is complete; a failed job leaves no file behind.
class PdfTarget : public PageTarget {
  public:
    // `path` as the file system spells it (QFile::encodeName); empty for no file.
    explicit PdfTarget(QByteArray path, QMarginsF marginsInPoints = {});
    ~PdfTarget() override;
    QPaintDevice& open(const QPageLayout& layout) override;
    void finish(bool painterEnded) override;

    // The PDF of the last finished page, also when no path was given.
    QByteArray data() const { return data_; }

  private:
    QByteArray path_;
    QMarginsF margins_;
    QByteArray data_;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QPdfWriter> writer_;
};

// A picture of the whole paper at `dpi`, white behind the page; written as PNG when a path is
// given and the page is complete.
class ImageTarget : public PageTarget {
  public:
    explicit ImageTarget(int dpi, QByteArray path = {});
    QPaintDevice& open(const QPageLayout& layout) override;
    void finish(bool painterEnded) override;

    const QImage& image() const { return image_; }

  private:
    int dpi_;
    QByteArray path_;
    QImage image_;
};

} // namespace mivo
