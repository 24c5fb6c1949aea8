#include "pdf_words.h"
#include "traced_page.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "print/dispatch.h"
#include "print/value_form.h"

#include <QTest>

using namespace mivo;

namespace {

// A dealer's real data at its longest, by what a field holds.
const QString kAddress =
    QStringLiteral("東京都練馬区豊玉北六丁目12番1号 サンシャインマンション練馬豊玉北 1203号室");
const QString kCompany = QStringLiteral("株式会社みどりモータース 代表取締役 山田太郎");
const QString kReading =
    QStringLiteral("カブシキガイシャミドリモータース ダイヒョウトリシマリヤク ヤマダタロウ");
const QString kScrivener = QStringLiteral("行政書士法人みどり総合事務所 行政書士 佐藤一郎");

QString longValue(int field) {
    switch (field) {
    case 0:
    case 2:
    case 17:
    case 28:
    case 35:
    case 44:
    case 49:
    case 54:
    case 59:
    case 70:
    case 74:
    case 78:
        return kAddress;
    case 6:
    case 18:
    case 29:
    case 36:
    case 45:
    case 50:
    case 55:
    case 60:
    case 68:
    case 69:
    case 72:
    case 73:
    case 76:
    case 77:
        return kCompany;
    case 67:
    case 71:
    case 75:
        return kReading;
    case 62:
        return kScrivener;
    case 1:
    case 16:
    case 34:
        return QStringLiteral("176-0001");
    case 3:
    case 19:
    case 37:
        return QStringLiteral("0120");
    case 30:
        return QStringLiteral("石神井警察署");
    case 7:
    case 10:
    case 13:
    case 25:
    case 31:
    case 46:
    case 51:
    case 56:
    case 63:
        return QStringLiteral("2026");
    case 40:
    case 22:
        return QStringLiteral("トヨタ アルファード ハイブリッド");
    case 41:
    case 23:
        return QStringLiteral("6AA-MXPA10");
    case 42:
    case 24:
        return QStringLiteral("JTMHV05J804123456");
    case 43:
        return QStringLiteral("A25A-FXS");
    case 66:
        return QStringLiteral("練馬 300 は 12-34");
    case 61:
        return QStringLiteral(
            "令和7年12月1日 所有権留保の解除により株式会社みどりオートローンから譲渡");
    case 4:
    case 5:
    case 20:
    case 21:
    case 38:
    case 39:
        return QStringLiteral("5678");
    default: // months and days
        return QStringLiteral("12");
    }
}

bool overlaps(const QRectF& a, const QRectF& b, double slack) {
    const QRectF both = a.intersected(b);
    return both.width() > slack && both.height() > slack;
}

bool sameWord(const PdfWord& a, const PdfWord& b) {
    return a.text == b.text && std::abs(a.box.left() - b.box.left()) < 0.1 &&
           std::abs(a.box.top() - b.box.top()) < 0.1;
}

} // namespace

// Every text document with every field at its longest realistic value, printed to PDF and read
// back: no value reaches into the page's own words or across its rules, none leaves the page,
// and every character of every value is there.
class LongValuesTest : public QObject {
    Q_OBJECT

  private slots:
    void valuesStayInTheirGaps_data() {
        QTest::addColumn<QString>("title");
        for (const DocumentInfo& info : documents())
            if (!info.fields.isEmpty())
                QTest::newRow(qPrintable(info.title)) << info.title;
    }
    void valuesStayInTheirGaps() {
        QFETCH(QString, title);
        const DocumentInfo& info = *findDocument(title);
        CurrentDocument document;
        document.setTitle(title);
        const std::vector<PdfWord> wording = readPdfWords(printToPdf(document));
        qsizetype characters = 0;
        for (int i = info.fields.first; i <= info.fields.last(); ++i) {
            document.fields().setValue(i, longValue(i));
            // What prints is the value in its page's form (石神井警察署 → 石神井, 2026 → 8).
            characters += printedForm(i, longValue(i)).remove(QLatin1Char(' ')).size();
        }
        const QByteArray pdf = printToPdf(document);
        RecordingSurface trace;
        insatu(trace, document);
        const std::vector<QRectF> rules = tracedPage(trace).rules;

        // A value's word that runs into the wording without a space is read as one word with
        // it: the wording's part is taken off, and what is left must still clear it.
        std::vector<PdfWord> values;
        for (PdfWord word : readPdfWords(pdf)) {
            if (std::any_of(wording.begin(), wording.end(),
                            [&](const PdfWord& w) { return sameWord(w, word); }))
                continue;
            for (const PdfWord& w : wording) {
                if (!word.box.adjusted(-0.1, -0.1, 0.1, 0.1).contains(w.box))
                    continue;
                if (word.text.startsWith(w.text) &&
                    std::abs(word.box.left() - w.box.left()) < 0.1) {
                    word.text.remove(0, w.text.size());
                    word.box.setLeft(w.box.right());
                } else if (word.text.endsWith(w.text) &&
                           std::abs(word.box.right() - w.box.right()) < 0.1) {
                    word.text.chop(w.text.size());
                    word.box.setRight(w.box.left());
                }
            }
            values.push_back(word);
        }
        QCOMPARE(characterCount(values), characters);
        const QRectF paper(QPointF(0, 0), pdfPageSizeMm(pdf));
        for (const PdfWord& v : values) {
            QVERIFY2(paper.contains(v.box), qPrintable(v.text));
            for (const PdfWord& w : wording)
                QVERIFY2(!overlaps(v.box, w.box, 0.1), qPrintable(v.text + u'|' + w.text));
            for (const QRectF& r : rules)
                QVERIFY2(!overlaps(v.box, r, 0.05),
                         qPrintable(v.text + QStringLiteral(" over a rule")));
        }
    }
};

QTEST_MAIN(LongValuesTest)
#include "long_values_test.moc"
