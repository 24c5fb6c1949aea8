#include "document/current_document.h"
#include "document/document_kind.h"
#include "page_ink.h"
#include "pdf_words.h"
#include "print/dispatch.h"
#include "print/page_target.h"
#include "print/painter_surface.h"

#include <QGuiApplication>
#include <QTest>

#include <algorithm>

using namespace mivo;

namespace {

double twips(double value) { return value * 25.4 / 1440; }

} // namespace

// The lower half of the page is laid out in twips under rules drawn in millimetres: a wrong
// unit, typeface or text origin moves the values out of their gaps and columns.
class TransferCertificateTest : public QObject {
    Q_OBJECT

    std::vector<PdfWord> filled_;

  private slots:
    void initTestCase() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::TransferCertificate));
        // The vehicle; row 1; rows 2 to 4 (year, month, day, address, name); the remarks.
        setFields(document, 40,
                  QStringLiteral("トヨタ NZE161 NZE161-7012345 1NZ "
                                 "東京都千代田区 山田太郎 "
                                 "6 12 24 横浜市中区 鈴木一郎 "
                                 "7 1 15 川崎市 佐藤花子 "
                                 "8 3 31 千葉市 高橋次郎 "
                                 "抹消登録済"));
        filled_ = readPdfWords(printToPdf(document));
    }

    // The year between the era and 年, the month before 月, the day between 月 and 日.
    void datesSitInTheirGaps_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<double>("top");
        const QString era = QStringLiteral("令和"), nen = QStringLiteral("年"),
                      tsuki = QStringLiteral("月"), hi = QStringLiteral("日");
        QTest::newRow("row 2 year") << "6" << era << nen << twips(5500);
        QTest::newRow("row 2 month") << "12" << QString() << tsuki << twips(6020);
        QTest::newRow("row 2 day") << "24" << tsuki << hi << twips(6020);
        QTest::newRow("row 3 year") << "7" << era << nen << twips(6600);
        QTest::newRow("row 3 month") << "1" << QString() << tsuki << twips(7120);
        QTest::newRow("row 3 day") << "15" << tsuki << hi << twips(7120);
        QTest::newRow("row 4 year") << "8" << era << nen << twips(7700);
        QTest::newRow("row 4 month") << "3" << QString() << tsuki << twips(8220);
        QTest::newRow("row 4 day") << "31" << tsuki << hi << twips(8220);
    }
    void datesSitInTheirGaps() {
        QFETCH(QString, value);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(double, top);
        verifyInGap(filled_, value, before, after, top);
    }

    // Values placed in twips stand inside the columns ruled in millimetres.
    void valuesStandInTheirColumns_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        QTest::newRow("make") << "トヨタ" << 90.0 << 114.0;
        QTest::newRow("model code") << "NZE161" << 114.0 << 139.0;
        QTest::newRow("chassis number") << "NZE161-7012345" << 139.0 << 189.0;
        QTest::newRow("engine model") << "1NZ" << 189.0 << 215.0;
        QTest::newRow("row 4 month") << "3" << 84.0 << 114.0;
        QTest::newRow("remarks") << "抹消登録済" << 114.0 << 198.0;
    }
    void valuesStandInTheirColumns() {
        QFETCH(QString, value);
        QFETCH(double, left);
        QFETCH(double, right);
        const PdfWord* word = findWord(filled_, value);
        QVERIFY(word);
        QCOMPARE_GT(word->box.left(), left);
        QCOMPARE_LT(word->box.right(), right);
    }

    // With every field empty the page still carries all its fixed wording, and only that.
    void emptyFieldsStillPrintTheWording() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::TransferCertificate));
        const QByteArray pdf = printToPdf(document);
        QCOMPARE(pdfPageCount(pdf), 1);
        const auto words = readPdfWords(pdf);
        QCOMPARE(characterCount(words), 82);
        QCOMPARE(std::ranges::count(words, QStringLiteral("令和"), &PdfWord::text), 3);
        QVERIFY(findWord(words, QStringLiteral("譲渡人及び譲受人の氏名又は名称及び住所")));
        QVERIFY(findWord(words, QStringLiteral("原動機の型式")));
    }

    // A chassis number longer than its column is set smaller and condensed, whole, on its line
    // and inside its column (the rule at 189 mm).
    void longValueStaysInItsColumn() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::TransferCertificate));
        const QString chassis = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD");
        document.fields().setValue(42, chassis);
        const auto words = readPdfWords(printToPdf(document));
        const PdfWord* word = findWordOnLine(words, chassis, twips(3000));
        QVERIFY(word);
        QCOMPARE_LT(word->box.right(), 189.0);
    }

    // Settings of one job do not leak into the next: after a self-declaration, which ends its
    // job in bold, the transfer certificate prints exactly as on its own, title bold, values
    // regular.
    void previousJobLeavesNothingBehind() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::TransferCertificate));
        document.fields().setValue(61, QStringLiteral("譲渡証明書"));
        ImageTarget alone(150);
        {
            PainterSurface surface(alone);
            QCOMPARE(insatu(surface, document).status, PrintOutcome::Status::Printed);
        }
        CurrentDocument declaration;
        declaration.setTitle(titleOf(DocumentKind::SelfDeclaration));
        declaration.fields().setValue(39, QStringLiteral("1234"));
        ImageTarget after(150);
        PainterSurface surface(after);
        QCOMPARE(insatu(surface, declaration).status, PrintOutcome::Status::Printed);
        QCOMPARE(insatu(surface, document).status, PrintOutcome::Status::Printed);
        QVERIFY(after.image() == alone.image());

        // The title's 譲 at 20 pt against the remarks value's 譲 at 11 pt, per square em.
        const double title = inkIn(after.image(), QRectF(twips(6300), twips(1300), 7.06, 7.06));
        const double value = inkIn(after.image(), QRectF(twips(6800), twips(8850), 3.88, 3.88));
        const double ratio = (title / (20 * 20)) / (value / (11 * 11));
        QCOMPARE_GT(ratio, 1.25);
    }
};

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    TransferCertificateTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "transfer_certificate_test.moc"
