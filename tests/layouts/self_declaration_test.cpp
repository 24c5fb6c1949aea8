#include "document/current_document.h"
#include "document/document_kind.h"
#include "page_ink.h"
#include "pdf_words.h"
#include "print/dispatch.h"
#include "print/page_target.h"
#include "print/painter_surface.h"

#include <QGuiApplication>
#include <QTest>

using namespace mivo;

namespace {
constexpr double kEm11 = 11 * 25.4 / 72; // millimetres
}

class SelfDeclarationTest : public QObject {
    Q_OBJECT

    std::vector<PdfWord> filled_;

  private slots:
    void initTestCase() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::SelfDeclaration));
        // The police station; the date; the declarant (postal code, address, name, telephone).
        setFields(document, 30,
                  QStringLiteral("麹町 "
                                 "6 12 24 "
                                 "100-0013 港区 山田太郎 03 1234 5678"));
        filled_ = readPdfWords(printToPdf(document));
    }

    void valuesSitInTheirGaps_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<double>("top");
        QTest::newRow("police station") << "麹町" << QString() << "警察署長" << 82.0;
        QTest::newRow("year") << "6" << QString() << "年" << 93.0;
        QTest::newRow("month") << "12"
                               << "年"
                               << "月" << 93.0;
        QTest::newRow("day") << "24"
                             << "月"
                             << "日" << 93.0;
        QTest::newRow("postal code") << "100-0013"
                                     << "〒（"
                                     << ")" << 100.0;
        QTest::newRow("address") << "港区"
                                 << "所" << QString() << 115.0;
        QTest::newRow("name") << "山田太郎"
                              << "名"
                              << "印" << 133.0;
        QTest::newRow("area code") << "03"
                                   << "("
                                   << ")" << 167.0;
        QTest::newRow("exchange") << "1234"
                                  << ")"
                                  << "局" << 167.0;
        QTest::newRow("number") << "5678"
                                << "局"
                                << "番" << 167.0;
    }
    void valuesSitInTheirGaps() {
        QFETCH(QString, value);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(double, top);
        verifyInGap(filled_, value, before, after, top);
    }

    // The bold choice words of the remarks line fall on the two gaps the note leaves for them.
    // 証明申請 stands at the whole millimetre 87 and reaches 0.3 mm into the に after its gap;
    // one half-width space fewer before 届出 would put it 1.6 mm over the は before its gap.
    void choiceWordsFallOnTheNotesGaps() {
        verifyInGap(filled_, QStringLiteral("証明申請"), QStringLiteral("保管場所証明書の場合は"),
                    QStringLiteral("に、保管場所届出の場合は"), 180.0, 0.5);
        verifyInGap(filled_, QStringLiteral("届出"), QStringLiteral("に、保管場所届出の場合は"),
                    QStringLiteral("に○をつけてください。"), 180.0, 0.5);
    }

    // The choice words print bold: their 証明 is darker than the regular 証明 of the note.
    void choiceWordsPrintBold() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::SelfDeclaration));
        ImageTarget target(150);
        PainterSurface surface(target);
        QCOMPARE(insatu(surface, document).status, PrintOutcome::Status::Printed);
        const double bold = inkIn(target.image(), QRectF(87, 180, 2 * kEm11, kEm11));
        const double regular = inkIn(target.image(), QRectF(44 + 4 * kEm11, 180, 2 * kEm11, kEm11));
        QCOMPARE_GT(bold, 1.25 * regular);
    }

    void emptyFieldsStillPrintTheWording() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::SelfDeclaration));
        const QByteArray pdf = printToPdf(document);
        QCOMPARE(pdfPageCount(pdf), 1);
        const auto words = readPdfWords(pdf);
        QCOMPARE(characterCount(words), 124);
        QVERIFY(findWordOnLine(words, QStringLiteral("証明申請"), 40.0));
        QVERIFY(findWordOnLine(words, QStringLiteral("証明申請"), 180.0));
        QVERIFY(findWordOnLine(words, QStringLiteral("保管場所使用権原疎明書面（自認書）"), 15.0));
    }

    // A long address is condensed, whole, inside the frame's right edge at 265 mm.
    void longValueStaysInsideTheFrame() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::SelfDeclaration));
        const QString address = QStringLiteral("0123456789").repeated(7);
        document.fields().setValue(35, address);
        const auto words = readPdfWords(printToPdf(document));
        const PdfWord* word = findWordOnLine(words, address, 115.0);
        QVERIFY(word);
        QCOMPARE_LT(word->box.right(), 265.0);
    }
};

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    SelfDeclarationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "self_declaration_test.moc"
