#include "document/current_document.h"
#include "document/document_kind.h"
#include "pdf_words.h"
#include "print/output.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace mivo;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Several documents as one output: one page each, in order, each as it prints alone.
class OutputTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void severalDocumentsMakeOnePdfPageEach() {
        std::vector<std::unique_ptr<CurrentDocument>> documents;
        for (const auto& [title, first, values] :
             {std::tuple{titleOf(DocumentKind::ConsentLetter), 22,
                         QStringLiteral("東京都 承諾 三郎")},
              std::tuple{titleOf(DocumentKind::PowerOfAttorney), 62,
                         QStringLiteral("行政太郎 8 4")},
              std::tuple{titleOf(DocumentKind::SelfDeclaration), 30,
                         QStringLiteral("自認 花子")}}) {
            documents.push_back(std::make_unique<CurrentDocument>());
            documents.back()->setTitle(title);
            setFields(*documents.back(), first, values);
        }
        const QString path = dir_.filePath(QStringLiteral("case.pdf"));
        const CurrentDocument* pages[] = {documents[0].get(), documents[1].get(),
                                          documents[2].get()};
        QCOMPARE(output(Destination::pdf(path), pages).status, PrintOutcome::Status::Printed);

        const QByteArray pdf = contents(path);
        QCOMPARE(pdfPageCount(pdf), 3);
        const QSizeF size = pdfPageSizeMm(pdf);
        QVERIFY(qAbs(size.width() - 297) < 0.5 && qAbs(size.height() - 210) < 0.5);
        for (int page = 1; page <= 3; ++page) {
            const std::vector<PdfWord> alone = readPdfWords(printToPdf(*pages[page - 1]));
            const std::vector<PdfWord> inFile = readPdfWords(pdf, page);
            QCOMPARE(inFile.size(), alone.size());
            for (size_t i = 0; i < alone.size(); ++i) {
                QCOMPARE(inFile[i].text, alone[i].text);
                QVERIFY2((inFile[i].box.topLeft() - alone[i].box.topLeft()).manhattanLength() <
                             0.05,
                         qPrintable(alone[i].text));
            }
        }
    }

    // A page that cannot be drawn spoils the whole output: the file is not replaced.
    void aFailedPageWritesNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("a picture takes one page") << QStringLiteral("two.png") << QByteArray("PNG");
        QTest::newRow("an unknown picture format")
            << QStringLiteral("one.xyz") << QByteArray("XYZ");
    }
    void aFailedPageWritesNothing() {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        const QString path = dir_.filePath(name);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
        Output out(Destination::image(QFile::encodeName(path), format, 30));
        QCOMPARE(out.add(document).status, PrintOutcome::Status::Printed);
        if (name == u"two.png")
            QVERIFY(out.add(document).failed());
        const PrintOutcome finished = out.finish();
        QVERIFY(finished.failed());
        QVERIFY(!finished.reason.isEmpty());
        QCOMPARE(contents(path), QByteArray("old"));
    }
};

QTEST_MAIN(OutputTest)
#include "output_test.moc"
