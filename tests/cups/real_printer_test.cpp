#include "document/current_document.h"
#include "document/document_kind.h"
#include "pdf_words.h"
#include "print/output.h"
#include "print/printer_state.h"
#include "private_cups_scheduler.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTest>

using namespace mivo;

namespace {

const QString kQueue = QStringLiteral("mivo-test");

// Every field of the power of attorney filled, as a user would type them.
void fillPowerOfAttorney(CurrentDocument& document) {
    document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
    const QStringList values = {
        QStringLiteral("行政太郎"),
        QStringLiteral("8"),
        QStringLiteral("12"),
        QStringLiteral("24"),
        QStringLiteral("品川 500 さ 1234"),
        QStringLiteral("ヤマダ　ハナコ"),
        QStringLiteral("山田花子"),
        QStringLiteral("山田花子"),
        QStringLiteral("東京都品川区東品川一丁目1番1号"),
        QStringLiteral("スズキ　イチロウ"),
        QStringLiteral("鈴木一郎"),
        QStringLiteral("鈴木一郎"),
        QStringLiteral("神奈川県横浜市中区本町二丁目2番2号"),
        QStringLiteral("サトウ　ジロウ"),
        QStringLiteral("佐藤次郎"),
        QStringLiteral("佐藤次郎"),
        QStringLiteral("埼玉県さいたま市浦和区高砂三丁目3番3号"),
    };
    for (int i = 0; i < values.size(); ++i)
        document.fields().setValue(62 + i, values[i]);
}

} // namespace

// Prints through a CUPS scheduler of the test's own, exactly as the Print command does, and
// reads back the job the printer received.
class RealPrinterTest : public QObject {
    Q_OBJECT
    PrivateCupsScheduler cups_;
    CurrentDocument document_;

    void verifyNoJobReachedThePrinter() {
        QVERIFY2(cups_.waitUntilIdle(), qPrintable(cups_.error()));
        QCOMPARE(cups_.unfinishedJobs(), QStringList());
        QCOMPARE(cups_.jobFiles().size(), 0);
    }

  private slots:
    void initTestCase() {
        if (const QString why = PrivateCupsScheduler::whyUnavailable(); !why.isEmpty())
            QSKIP(qPrintable(why));
        fillPowerOfAttorney(document_);
    }

    // Each case starts with a running scheduler whose default queue accepts jobs.
    void init() {
        QVERIFY2(cups_.start(), qPrintable(cups_.error()));
        QVERIFY2(cups_.addCaptureQueue(kQueue), qPrintable(cups_.error()));
        cups_.removeJobFiles();
    }

    void cleanupTestCase() {
        cups_.stop();
        QVERIFY(!cups_.isRunning());
    }

    // One A4 landscape page whose words are text, drawn from the corner of the printable area.
    void printsOnePageOnTheDefaultPrinter() {
        const PrintOutcome outcome = output(Destination::defaultPrinter(), document_);
        QVERIFY2(outcome.status == PrintOutcome::Status::Printed, qPrintable(outcome.reason));
        QVERIFY2(cups_.waitUntilIdle(), qPrintable(cups_.error()));
        const QList<QByteArray> jobs = cups_.jobFiles();
        QCOMPARE(jobs.size(), 1);
        const QByteArray& pdf = jobs.first();
        QCOMPARE(pdfPageCount(pdf), 1);
        const QSizeF page = pdfPageSizeMm(pdf);
        QCOMPARE_LE(qAbs(page.width() - 297.0), 0.5);
        QCOMPARE_LE(qAbs(page.height() - 210.0), 0.5);

        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        const QPointF origin = printer.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();

        const auto words = readPdfWords(pdf);
        const PdfWord* delegator = findWord(words, QStringLiteral("委任者"));
        QVERIFY(delegator);
        QCOMPARE_LE(qAbs(delegator->box.left() - (31.0 + origin.x())), 0.5);
        QCOMPARE_LE(qAbs(delegator->box.top() - (96.0 + origin.y())), 0.5);
        const PdfWord* address =
            findWord(words, QStringLiteral("埼玉県さいたま市浦和区高砂三丁目3番3号"));
        QVERIFY(address);
        QCOMPARE_LE(qAbs(address->box.left() - (175.0 + origin.x())), 0.5);
    }

    void printingTwiceGivesTwoJobs() {
        QCOMPARE(output(Destination::defaultPrinter(), document_).status,
                 PrintOutcome::Status::Printed);
        QCOMPARE(output(Destination::defaultPrinter(), document_).status,
                 PrintOutcome::Status::Printed);
        QVERIFY2(cups_.waitUntilIdle(), qPrintable(cups_.error()));
        const QList<QByteArray> jobs = cups_.jobFiles();
        QCOMPARE(jobs.size(), 2);
        for (const QByteArray& pdf : jobs)
            QCOMPARE(pdfPageCount(pdf), 1);
    }

    // The renderer's --print takes the same road from its own process.
    void renderCommandPrints() {
        const QString program = qEnvironmentVariable("MIVO_RENDER");
        QVERIFY2(!program.isEmpty(), "MIVO_RENDER names the built mivo-render");
        QProcess render;
        render.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        render.start(program, {QStringLiteral("power-of-attorney"), QStringLiteral("--set"),
                               QStringLiteral("62=行政太郎"), QStringLiteral("--print")});
        QVERIFY(render.waitForFinished(60000));
        QCOMPARE(render.exitCode(), 0);
        QVERIFY2(cups_.waitUntilIdle(), qPrintable(cups_.error()));
        const QList<QByteArray> jobs = cups_.jobFiles();
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(pdfPageCount(jobs.first()), 1);
        QVERIFY(findWord(readPdfWords(jobs.first()), QStringLiteral("行政太郎")));
    }

    void noPrinterInstalledFails() {
        QVERIFY2(cups_.removeQueue(kQueue), qPrintable(cups_.error()));
        const PrintOutcome outcome = output(Destination::defaultPrinter(), document_);
        QCOMPARE(outcome.status, PrintOutcome::Status::Failed);
        QVERIFY(!outcome.reason.isEmpty());
        verifyNoJobReachedThePrinter();
    }

    void unreachableSchedulerFails() {
        cups_.stop();
        const PrintOutcome outcome = output(Destination::defaultPrinter(), document_);
        QCOMPARE(outcome.status, PrintOutcome::Status::Failed);
        QVERIFY(!outcome.reason.isEmpty());
        // Nothing was queued while it was down either.
        QVERIFY2(cups_.start(), qPrintable(cups_.error()));
        verifyNoJobReachedThePrinter();
    }

    // What the scheduler says of the default queue is what the Print command asks about.
    void stateOfTheDefaultPrinter_data() {
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<bool>("accepting");
        QTest::newRow("ready") << false << true;
        QTest::newRow("stopped") << true << true;
        QTest::newRow("rejecting") << false << false;
    }
    void stateOfTheDefaultPrinter() {
        QFETCH(bool, stopped);
        QFETCH(bool, accepting);
        QVERIFY2(cups_.setStopped(kQueue, stopped), qPrintable(cups_.error()));
        QVERIFY2(cups_.setAccepting(kQueue, accepting), qPrintable(cups_.error()));
        const std::optional<PrinterState> state = defaultPrinterState();
        QVERIFY(state);
        QCOMPARE(state->name, kQueue);
        QCOMPARE(state->stopped, stopped);
        QCOMPARE(state->accepting, accepting);
        if (stopped) {
            // A stopped queue takes the job and holds it; the outcome names the printer.
            const PrintOutcome outcome = output(Destination::defaultPrinter(), document_);
            QCOMPARE(outcome.status, PrintOutcome::Status::Printed);
            QCOMPARE(outcome.printer, kQueue);
            QCOMPARE(cups_.unfinishedJobs().size(), 1);
            QVERIFY2(cups_.setStopped(kQueue, false), qPrintable(cups_.error()));
            QVERIFY2(cups_.waitUntilIdle(), qPrintable(cups_.error()));
            QCOMPARE(cups_.jobFiles().size(), 1);
        }
    }

    // A queue that rejects jobs drops the page; the user must hear that it was not printed.
    void refusedJobFails() {
        QVERIFY2(cups_.setAccepting(kQueue, false), qPrintable(cups_.error()));
        const PrintOutcome outcome = output(Destination::defaultPrinter(), document_);
        QCOMPARE(outcome.status, PrintOutcome::Status::Failed);
        QVERIFY2(outcome.reason.contains(kQueue), qPrintable(outcome.reason));
        verifyNoJobReachedThePrinter();
    }
};

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    RealPrinterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "real_printer_test.moc"
