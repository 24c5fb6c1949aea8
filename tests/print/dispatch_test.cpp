#include "document/current_document.h"
#include "document/document_kind.h"
#include "print/dispatch.h"
#include "print/recording_surface.h"

#include <QTest>

using namespace mivo;

class DispatchTest : public QObject {
    Q_OBJECT

  private slots:
    void titlesThatAreNoDocumentPrintNothing_data() {
        QTest::addColumn<QString>("title");
        QTest::newRow("trailing space") << QStringLiteral("委任状 ");
        QTest::newRow("shortened") << QStringLiteral("譲渡証");
        QTest::newRow("empty") << QString();
    }
    void titlesThatAreNoDocumentPrintNothing() {
        QFETCH(QString, title);
        CurrentDocument document;
        document.setTitle(title);
        RecordingSurface surface;
        QCOMPARE(insatu(surface, document).status, PrintOutcome::Status::NothingToPrint);
        QVERIFY(surface.operations().empty());
    }

    // The whole trace: set-up, rules, wording, values, end of job, in that order.
    void powerOfAttorneyTrace() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
        document.fields().setValue(78, QStringLiteral("東京都"));
        RecordingSurface surface;
        QCOMPARE(insatu(surface, document).status, PrintOutcome::Status::Printed);
        const QByteArray trace = surface.toJsonLines();
        const QList<QByteArray> lines = trace.trimmed().split('\n');
        QCOMPARE(lines.first(), QByteArray(R"({"op":"SetPaperSize","args":["A4"]})"));
        QCOMPARE(lines.at(2), QByteArray(R"({"op":"SetFontName","args":["ＭＳ 明朝"]})"));
        QCOMPARE(lines.at(4), QByteArray(R"({"op":"SetPenWidth","args":[7]})"));
        QCOMPARE(lines.at(6), QByteArray(R"({"op":"Line","args":[70,69,202,69]})"));
        QCOMPARE(lines.last(), QByteArray(R"({"op":"EndJob","args":[]})"));
        QVERIFY(trace.contains(R"({"op":"SetFontSize","args":[22]})"));
        // The last value, then the end of the job.
        QCOMPARE(lines.at(lines.size() - 3), QByteArray(R"({"op":"MoveTo","args":[175,179]})"));
        QCOMPARE(lines.at(lines.size() - 2), QByteArray(R"({"op":"PrintText","args":["東京都"]})"));
        // 20 fixed texts and 17 values, each a MoveTo and a PrintText, empty values included.
        QCOMPARE(trace.count("\"PrintText\""), 37);
        QCOMPARE(trace.count("\"MoveTo\""), 37);
    }

    // Printing twice gives two identical jobs from the same values.
    void twiceGivesTheSameJob() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
        document.fields().setValue(66, QStringLiteral("品川 300 あ 12-34"));
        RecordingSurface first, second;
        insatu(first, document);
        insatu(second, document);
        QCOMPARE(first.toJsonLines(), second.toJsonLines());
    }

    // A printer that fails in the middle stops the routine there, cancels the job and says so;
    // the typed values stay.
    void failureStopsCancelsAndReports() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
        document.fields().setValue(63, QStringLiteral("8"));
        RecordingSurface surface;
        surface.failFromOperation(10);
        const PrintOutcome outcome = insatu(surface, document);
        QCOMPARE(outcome.status, PrintOutcome::Status::Failed);
        QVERIFY(!outcome.reason.isEmpty());
        QCOMPARE(surface.operations().size(), size_t(10));
        QVERIFY(surface.cancelled());
        QCOMPARE(document.fields().value(63), QStringLiteral("8"));
    }
};

QTEST_MAIN(DispatchTest)

#include "dispatch_test.moc"
