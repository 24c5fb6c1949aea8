#include "document/current_document.h"
#include "document/document_kind.h"
#include "pdf_words.h"

#include <QGuiApplication>
#include <QTest>

using namespace mivo;

class ConsentLetterTest : public QObject {
    Q_OBJECT

    std::vector<PdfWord> filled_;

  private slots:
    void initTestCase() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::ConsentLetter));
        // The vehicle; the date; the consenting party.
        setFields(document, 22,
                  QStringLiteral("トヨタ NZE161 NZE161-7012345 "
                                 "6 12 24 "
                                 "東京都港区 山田太郎"));
        filled_ = readPdfWords(printToPdf(document));
    }

    // The date values fall into the gaps of "令和          年        月        日", the address
    // stands after its label and the name in the run of spaces before the seal mark.
    void valuesSitInTheirGaps_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<double>("top");
        QTest::newRow("year") << "6"
                              << "令和"
                              << "年" << 115.0;
        QTest::newRow("month") << "12"
                               << "年"
                               << "月" << 115.0;
        QTest::newRow("day") << "24"
                             << "月"
                             << "日" << 115.0;
        QTest::newRow("address") << "東京都港区"
                                 << "所" << QString() << 142.0;
        QTest::newRow("name") << "山田太郎"
                              << "名"
                              << "印" << 163.0;
    }
    void valuesSitInTheirGaps() {
        QFETCH(QString, value);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(double, top);
        verifyInGap(filled_, value, before, after, top);
    }

    // Each column heading and its value stand inside the column's rules, 65, 118, 171, 223 mm.
    void vehicleTableColumns_data() {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("value");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        QTest::newRow("make") << "車"
                              << "トヨタ" << 65.0 << 118.0;
        QTest::newRow("model code") << "型"
                                    << "NZE161" << 118.0 << 171.0;
        QTest::newRow("chassis number") << "号"
                                        << "NZE161-7012345" << 171.0 << 223.0;
    }
    void vehicleTableColumns() {
        QFETCH(QString, heading);
        QFETCH(QString, value);
        QFETCH(double, left);
        QFETCH(double, right);
        // Headings on the heading row (y 65 to 80), values on the value row (80 to 95).
        const PdfWord* h = findWordOnLine(filled_, heading, 70.0);
        const PdfWord* v = findWordOnLine(filled_, value, 85.0);
        QVERIFY(h && v);
        QCOMPARE_GT(h->box.left(), left);
        QCOMPARE_LT(h->box.right(), right);
        QCOMPARE_GT(v->box.left(), left);
        QCOMPARE_LT(v->box.right(), right);
    }

    void emptyFieldsStillPrintTheWording() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::ConsentLetter));
        const QByteArray pdf = printToPdf(document);
        QCOMPARE(pdfPageCount(pdf), 1);
        const auto words = readPdfWords(pdf);
        QCOMPARE(characterCount(words), 49);
        QVERIFY(findWordOnLine(words, QStringLiteral("令和"), 115.0));
        QVERIFY(findWordOnLine(words, QStringLiteral("印"), 163.0));
        QVERIFY(findWord(words,
                         QStringLiteral("下記自動車の検査登録申請等､登録の一切を承諾いたします｡")));
    }

    // A long chassis number is fitted, whole, inside the table's right edge at 223 mm.
    void longValueStaysInItsColumn() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::ConsentLetter));
        const QString chassis = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
        document.fields().setValue(24, chassis);
        const auto words = readPdfWords(printToPdf(document));
        const PdfWord* word = findWordOnLine(words, chassis, 85.0);
        QVERIFY(word);
        QCOMPARE_LT(word->box.right(), 223.0);
    }
};

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    ConsentLetterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "consent_letter_test.moc"
