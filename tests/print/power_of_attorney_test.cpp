#include "document/current_document.h"
#include "document/document_kind.h"
#include "pdf_words.h"

#include <QGuiApplication>
#include <QTest>

using namespace mivo;

class PowerOfAttorneyTest : public QObject {
    Q_OBJECT

  private slots:
    // The date values fall into the three gaps of "令和　　　　年　　　　月　　　　日" and the
    // agent's name comes after the first part of the sentence: a wrong typeface, text origin
    // or unit moves them out.
    void valuesSitInTheirGaps() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
        document.fields().setValue(62, QStringLiteral("行政太郎"));
        document.fields().setValue(63, QStringLiteral("8"));
        document.fields().setValue(64, QStringLiteral("12"));
        document.fields().setValue(65, QStringLiteral("24"));
        document.fields().setValue(69, QStringLiteral("山田花子"));
        const auto words = readPdfWords(printToPdf(document));

        const PdfWord* era = findWord(words, QStringLiteral("令和"));
        const PdfWord* year = findWord(words, QStringLiteral("8"));
        const PdfWord* nen = findWord(words, QStringLiteral("年"));
        const PdfWord* month = findWord(words, QStringLiteral("12"));
        const PdfWord* tsuki = findWord(words, QStringLiteral("月"));
        const PdfWord* day = findWord(words, QStringLiteral("24"));
        const PdfWord* nichi = findWord(words, QStringLiteral("日"));
        QVERIFY(era && year && nen && month && tsuki && day && nichi);
        QVERIFY(era->box.right() < year->box.left());
        QVERIFY(year->box.right() < nen->box.left());
        QVERIFY(nen->box.right() < month->box.left());
        QVERIFY(month->box.right() < tsuki->box.left());
        QVERIFY(tsuki->box.right() < day->box.left());
        QVERIFY(day->box.right() < nichi->box.left());
        // The date line starts at x 40 mm on a page whose origin is the paper's corner.
        QCOMPARE_LE(qAbs(era->box.left() - 40.0), 0.5);
        QCOMPARE_LE(qAbs(year->box.top() - era->box.top()), 0.5);

        const PdfWord* sentence = findWord(words, QStringLiteral("下記自動車"));
        const PdfWord* agent = findWord(words, QStringLiteral("行政太郎"));
        QVERIFY(sentence && agent);
        QVERIFY(sentence->box.right() < agent->box.left());
        QCOMPARE_LE(qAbs(agent->box.left() - 160.0), 0.5);
        // 22 ideographic characters at 16 pt: 22 em = 124.2 mm from x 30.
        QCOMPARE_LE(qAbs(sentence->box.right() - (30.0 + 22 * 16 * 25.4 / 72)), 0.5);

        const PdfWord* name = findWord(words, QStringLiteral("山田花子"));
        QVERIFY(name);
        QCOMPARE_LE(qAbs(name->box.left() - 65.0), 0.5);
    }

    // An empty document still prints its title, wording, labels and seal marks.
    void emptyFieldsStillPrintTheWording() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
        const QByteArray pdf = printToPdf(document);
        QCOMPARE(pdfPageCount(pdf), 1);
        const QSizeF page = pdfPageSizeMm(pdf);
        QCOMPARE_LE(qAbs(page.width() - 297.0), 0.5);
        QCOMPARE_LE(qAbs(page.height() - 210.0), 0.5);
        const auto words = readPdfWords(pdf);
        int seals = 0;
        for (const PdfWord& w : words)
            seals += w.text == QStringLiteral("印");
        QCOMPARE(seals, 3);
        QVERIFY(findWord(words, QStringLiteral("委")));
        QVERIFY(findWord(words, QStringLiteral("に委任する。")));
    }

    // A long agent name takes two lines before "に委任する。" rather than running over it,
    // and loses no character.
    void longValueStaysBeforeTheWording() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
        const QString longName = QStringLiteral("株式会社ながいながいながい名前の代理人");
        document.fields().setValue(62, longName);
        const auto words = readPdfWords(printToPdf(document));
        const PdfWord* wording = findWord(words, QStringLiteral("に委任する。"));
        QVERIFY(wording);
        QString printed;
        for (const PdfWord& word : words) {
            if (word.box.left() < 159 || word.box.top() < 38 || word.box.top() > 52 ||
                &word == wording)
                continue;
            printed += word.text;
            QCOMPARE_LT(word.box.right(), wording->box.left());
        }
        QCOMPARE(printed, longName);
    }
};

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    PowerOfAttorneyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "power_of_attorney_test.moc"
