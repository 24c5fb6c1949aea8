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

class ParkingConsentCertificateTest : public QObject {
    Q_OBJECT

    std::vector<PdfWord> filled_;

  private slots:
    void initTestCase() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::ParkingConsentCertificate));
        // The place; the user (postal code, address, telephone, name); the first and last day
        // of use; the date; the certifying party (postal code, address, name, telephone).
        setFields(document, 0,
                  QStringLiteral("横浜市中区山下町1 "
                                 "100-0013 東京都港区 03 3581 1234 山田太郎 "
                                 "6 4 1 7 3 31 "
                                 "6 3 15 "
                                 "231-0023 横浜市中区 佐藤花子 045 671 2121"));
        filled_ = readPdfWords(printToPdf(document));
    }

    // Dates: year before 年, month between 年 and 月, day between 月 and 日. Telephones: area
    // code inside the parentheses, exchange before 局, number before 番. Postal codes inside
    // the parentheses after 〒. The values at 12 pt share the line of the 14 pt wording.
    void valuesSitInTheirGaps_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<double>("top");
        QTest::newRow("first day: year") << "6" << QString() << "年" << 91.0;
        QTest::newRow("first day: month") << "4"
                                          << "年"
                                          << "月" << 91.0;
        QTest::newRow("first day: day") << "1"
                                        << "月"
                                        << "日" << 91.0;
        QTest::newRow("last day: year") << "7" << QString() << "年" << 104.0;
        QTest::newRow("last day: month") << "3"
                                         << "年"
                                         << "月" << 104.0;
        QTest::newRow("last day: day") << "31"
                                       << "月"
                                       << "日" << 104.0;
        QTest::newRow("certificate: year") << "6" << QString() << "年" << 123.0;
        QTest::newRow("certificate: month") << "3"
                                            << "年"
                                            << "月" << 123.0;
        QTest::newRow("certificate: day") << "15"
                                          << "月"
                                          << "日" << 123.0;
        QTest::newRow("user: area code") << "03"
                                         << "（"
                                         << "）" << 65.0;
        QTest::newRow("user: exchange") << "3581"
                                        << "）"
                                        << "局" << 65.0;
        QTest::newRow("user: number") << "1234"
                                      << "局"
                                      << "番" << 65.0;
        QTest::newRow("party: area code") << "045"
                                          << "（"
                                          << "）" << 170.0;
        QTest::newRow("party: exchange") << "671"
                                         << "）"
                                         << "局" << 170.0;
        QTest::newRow("party: number") << "2121"
                                       << "局"
                                       << "番" << 170.0;
        QTest::newRow("user: postal code") << "100-0013"
                                           << "（"
                                           << "）" << 53.0;
        QTest::newRow("party: postal code") << "231-0023"
                                            << "("
                                            << ")" << 134.0;
        QTest::newRow("user: name") << "山田太郎"
                                    << "氏名" << QString() << 77.0;
        QTest::newRow("party: name") << "佐藤花子"
                                     << "名"
                                     << "印" << 159.0;
        QTest::newRow("place") << "横浜市中区山下町1"
                               << "置" << QString() << 36.0;
    }
    void valuesSitInTheirGaps() {
        QFETCH(QString, value);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(double, top);
        verifyInGap(filled_, value, before, after, top);
    }

    void emptyFieldsStillPrintTheWording() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::ParkingConsentCertificate));
        const QByteArray pdf = printToPdf(document);
        QCOMPARE(pdfPageCount(pdf), 1);
        const auto words = readPdfWords(pdf);
        QCOMPARE(characterCount(words), 131);
        QVERIFY(findWordOnLine(words, QStringLiteral("警察署長提出用"), 21.0));
        QVERIFY(findWordOnLine(words, QStringLiteral("番"), 65.0));
        QVERIFY(findWordOnLine(words, QStringLiteral("番"), 170.0));
        QVERIFY(findWordOnLine(words, QStringLiteral("印"), 158.0));
    }

    // A long position of the place is condensed, whole, inside the frame's right edge at 273 mm.
    void longValueStaysInsideTheFrame() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::ParkingConsentCertificate));
        const QString place = QStringLiteral("0123456789").repeated(8) + QStringLiteral("ABCDE");
        document.fields().setValue(0, place);
        const auto words = readPdfWords(printToPdf(document));
        const PdfWord* word = findWordOnLine(words, place, 36.0);
        QVERIFY(word);
        QCOMPARE_LT(word->box.right(), 273.0);
    }

    // The title sets no weight: it prints in the regular weight every job starts with, also
    // after a self-declaration that ended its job in bold.
    void titleIsRegularAfterABoldJob() {
        CurrentDocument certificate;
        certificate.setTitle(titleOf(DocumentKind::ParkingConsentCertificate));
        ImageTarget alone(150);
        {
            PainterSurface surface(alone);
            QCOMPARE(insatu(surface, certificate).status, PrintOutcome::Status::Printed);
        }
        CurrentDocument declaration;
        declaration.setTitle(titleOf(DocumentKind::SelfDeclaration));
        ImageTarget after(150);
        PainterSurface surface(after);
        QCOMPARE(insatu(surface, declaration).status, PrintOutcome::Status::Printed);
        QCOMPARE(insatu(surface, certificate).status, PrintOutcome::Status::Printed);
        QVERIFY(after.image() == alone.image());

        // The title's 保 at 17 pt against the place caption's regular 保 at 11 pt, per square em.
        const double em17 = 17 * 25.4 / 72, em11 = 11 * 25.4 / 72;
        const double title = inkIn(after.image(), QRectF(105, 10, em17, em17));
        const double caption = inkIn(after.image(), QRectF(27, 36, em11, em11));
        const double ratio = (title / (em17 * em17)) / (caption / (em11 * em11));
        QCOMPARE_LT(ratio, 1.15);
    }
};

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    ParkingConsentCertificateTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "parking_consent_certificate_test.moc"
