#include "app/case_commands.h"
#include "app/mdi_form1.h"
#include "app/output_commands.h"
#include "app/preview_window.h"
#include "app/print_service.h"
#include "cases/case_keeper.h"
#include "cases/case_store.h"
#include "document/document_kind.h"
#include "document/location_marks.h"
#include "fake_print_service.h"
#include "fake_prompts.h"
#include "particulars/particulars.h"
#include "pdf_words.h"
#include "print/recording_surface.h"

#include <QAction>
#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mivo;

namespace {

std::vector<RecordingSurface::Operation> operationsOf(const CurrentDocument& document) {
    RecordingSurface surface;
    insatu(surface, document);
    return surface.operations();
}

} // namespace

// The window's ways out for a page other than 印刷 itself.
class OutputCommandsTest : public QObject {
    Q_OBJECT

    QPointer<MDIForm1> main_;
    FakePrintService* service_ = nullptr;
    FakePrompts* prompts_ = nullptr;
    QTemporaryDir dir_;

    void trigger(const char* name) { main_->findChild<QAction*>(QLatin1String(name))->trigger(); }
    CurrentDocument& document() { return main_->document(); }
    void openPowerOfAttorney() {
        document().setTitle(titleOf(DocumentKind::PowerOfAttorney));
        document().fields().setValue(62, QStringLiteral("山田太郎"));
    }

    // Stores `c` where the window keeps its cases and makes it the current case.
    void openStoredCase(const Case& c) {
        CaseKeeper& keeper = main_->cases().keeper();
        CaseStore store(keeper.database());
        const CaseStore::Saved saved = store.save(c, true);
        QVERIFY2(saved.ok, qPrintable(store.error()));
        keeper.openCase(saved.id);
        QTRY_COMPARE(keeper.currentCaseId(), saved.id);
    }

  private slots:
    void init() {
        auto prompts = std::make_unique<FakePrompts>();
        prompts_ = prompts.get();
        main_ = new MDIForm1(std::move(prompts));
        auto service = std::make_unique<FakePrintService>();
        service_ = service.get();
        main_->setPrintService(std::move(service));
        main_->show();
    }
    void cleanup() { delete main_; }

    // The preview is the printed page: it follows what is typed, prints what the printer
    // would get, and goes when the document closes.
    void previewFollowsTheDocumentAndPrints() {
        openPowerOfAttorney();
        trigger("mnuPreview");
        QPointer<PreviewWindow> preview = main_->outputCommands().previewWindow();
        QVERIFY(preview && preview->isVisible());
        QSignalSpy drawn(preview.data(), &PreviewWindow::pageDrawn);
        QVERIFY(drawn.wait(2000));
        const QImage before = preview->page();
        QVERIFY(!before.isNull());
        QVERIFY(qAbs(before.width() / double(before.height()) - 297 / 210.0) < 0.01); // A4 across

        document().fields().setValue(66, QStringLiteral("品川 500 さ 1234"));
        QVERIFY(drawn.wait(2000));
        QVERIFY(preview->page() != before);
        for (const char* zoom : {"fitWidth", "actualSize", "fitPage"})
            preview->findChild<QAction*>(QLatin1String(zoom))->trigger();
        QVERIFY(!preview->page().isNull());

        preview->findChild<QAction*>(QStringLiteral("previewPrint"))->trigger();
        QVERIFY(service_->surface.operations() == operationsOf(document()));

        document().clear();
        QTRY_VERIFY(!preview);
    }

    // Alt and a button's underlined letter work in the preview, and Esc closes it.
    void previewAnswersTheKeyboard() {
        openPowerOfAttorney();
        trigger("mnuPreview");
        QPointer<PreviewWindow> preview = main_->outputCommands().previewWindow();
        QApplication::setActiveWindow(preview);
        QTest::keyClick(preview, Qt::Key_W, Qt::AltModifier);
        QVERIFY(preview->findChild<QAction*>(QStringLiteral("fitWidth"))->isChecked());
        QTest::keyClick(preview, Qt::Key_P, Qt::AltModifier);
        QCOMPARE(service_->printedTo.size(), 1);
        QTest::keyClick(preview, Qt::Key_Escape);
        QTRY_VERIFY(!preview);
        QVERIFY(document().isOpen());
    }

    // Each file comes out as the printer's page would; the names offered carry the title,
    // the case and the date; the status bar says where it went.
    void savesPdfPicturesAndPrintsOnAChosenPrinter_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<int>("dpi");
        QTest::newRow("pdf") << "mnuSavePdf"
                             << "page.pdf" << QByteArray("PDF") << 0;
        QTest::newRow("png 300 dpi") << "mnuSaveImage"
                                     << "page.png" << QByteArray("PNG") << 300;
        QTest::newRow("jpeg 150 dpi") << "mnuSaveImage"
                                      << "page.jpg" << QByteArray("JPEG") << 150;
        QTest::newRow("printer") << "mnuPrintTo"
                                 << "" << QByteArray() << 0;
    }
    void savesPdfPicturesAndPrintsOnAChosenPrinter() {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QByteArray, format);
        QFETCH(int, dpi);
        Case named;
        named.name = QStringLiteral("山田/様");
        named.named = true;
        openStoredCase(named);
        openPowerOfAttorney();
        const QString path = dir_.filePath(file);
        prompts_->path = path;
        prompts_->image = {path, format, dpi};
        prompts_->printer = PrinterChoice{QStringLiteral("office"), 3};
        trigger(command.toLatin1().constData());
        QVERIFY2(prompts_->warnings.isEmpty(), qPrintable(prompts_->warnings.join(u'\n')));

        if (file.isEmpty()) {
            QCOMPARE(service_->printedTo.size(), 1);
            QCOMPARE(service_->printedTo.first().printer, QStringLiteral("office"));
            QCOMPARE(service_->printedTo.first().copies, 3);
            QVERIFY(service_->surface.operations() == operationsOf(document()));
            return;
        }
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        QVERIFY(prompts_->suggestedNames.first().startsWith(
            QStringLiteral("委任状_山田_様_%1").arg(today)));
        const QString told = main_->findChild<QLabel*>(QStringLiteral("savedFile"))->text();
        QVERIFY2(told.contains(path) && told.contains(QStringLiteral("フォルダを開く")),
                 qPrintable(told));
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        if (format == "PDF") {
            const std::vector<PdfWord> words = readPdfWords(written.readAll());
            const std::vector<PdfWord> printed = readPdfWords(printToPdf(document()));
            QCOMPARE(words.size(), printed.size());
            QVERIFY(findWord(words, QStringLiteral("山田太郎")));
            return;
        }
        QImageReader reader(&written);
        QCOMPARE(reader.format().toUpper(), format);
        // The whole paper; Qt gives A4 in hundredths of an inch.
        QVERIFY(qAbs(reader.size().width() - 297 / 25.4 * dpi) < 2);
        QVERIFY(qAbs(reader.size().height() - 210 / 25.4 * dpi) < 2);
    }

    // The case's documents as stored, ticked ones only, in the chooser's order, one page each,
    // with what was typed last. The particulars fill what is empty, as opening each one would:
    // a document never opened is offered too, and a typed value stays.
    // A parking place over 2 km away is named before paper; 戻って直す makes nothing and
    // このまま印刷 makes the page all the same.
    void parkingPlaceTooFarIsNamedBeforePaper() {
        document().setTitle(titleOf(DocumentKind::LayoutDrawing));
        LayoutDrawingState& drawing = document().drawing();
        drawing.locationMap = QImage(400, 300, QImage::Format_RGB32);
        drawing.locationMap.fill(Qt::white);
        drawing.location.home = MapMark{{50, 50}, GeoPoint{35.6812, 139.7671}};
        drawing.location.parking = MapMark{{300, 250}, GeoPoint{35.7010, 139.7671}};
        prompts_->path = dir_.filePath(QStringLiteral("far.pdf"));
        prompts_->printingAnyway = false;
        trigger("mnuSavePdf");
        QCOMPARE(prompts_->findings.size(), 1);
        QVERIFY(prompts_->findings.first().contains(QStringLiteral("直線距離が2kmを超えています")));
        QVERIFY(!QFile::exists(prompts_->path));
        prompts_->printingAnyway = true;
        trigger("mnuSavePdf");
        QTRY_VERIFY(QFile::exists(prompts_->path));
    }

    void aWholeCaseGoesOutFromItsStoredValues() {
        Case c;
        c.values[22] = QStringLiteral("承諾太郎");
        c.values[62] = QStringLiteral("委任太郎");
        c.values[30] = QStringLiteral("自認太郎");
        c.particulars.setValue(Particular::UserName, QStringLiteral("使用花子"));
        c.particulars.setValue(Particular::Agent, QStringLiteral("代理次郎"));
        openStoredCase(c);
        // Typed just now, not saved yet: it goes out too.
        document().setTitle(titleOf(DocumentKind::ConsentLetter));
        main_->cases().fillDocument();
        document().fields().setValue(23, QStringLiteral("型式Z"));
        prompts_->caseDocuments = CaseDocumentsChoice{
            {titleOf(DocumentKind::PowerOfAttorney), titleOf(DocumentKind::ConsentLetter)}, true};
        prompts_->path = dir_.filePath(QStringLiteral("case.pdf"));
        trigger("mnuPrintCase");
        QTRY_VERIFY(QFile::exists(prompts_->path));
        QVERIFY2(prompts_->warnings.isEmpty(), qPrintable(prompts_->warnings.join(u'\n')));
        QCOMPARE(prompts_->offeredDocuments,
                 (QStringList{titleOf(DocumentKind::SelfDeclaration),
                              titleOf(DocumentKind::ParkingConsentCertificate),
                              titleOf(DocumentKind::PowerOfAttorney),
                              titleOf(DocumentKind::TransferCertificate),
                              titleOf(DocumentKind::ConsentLetter)}));

        QFile file(prompts_->path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QCOMPARE(pdfPageCount(pdf), 2);
        QVERIFY(findWord(readPdfWords(pdf, 1), QStringLiteral("委任太郎")));
        QVERIFY(findWord(readPdfWords(pdf, 1), QStringLiteral("使用花子")));
        QVERIFY(!findWord(readPdfWords(pdf, 1), QStringLiteral("代理次郎")));
        QVERIFY(findWord(readPdfWords(pdf, 2), QStringLiteral("承諾太郎")));
        QVERIFY(findWord(readPdfWords(pdf, 2), QStringLiteral("型式Z")));

        // Printed instead: one job.
        prompts_->caseDocuments =
            CaseDocumentsChoice{{titleOf(DocumentKind::ConsentLetter)}, false};
        trigger("mnuPrintCase");
        QTRY_COMPARE(service_->printedTo.size(), 1);
        QVERIFY(service_->surface.toJsonLines().contains("承諾太郎"));
        QVERIFY(!service_->surface.toJsonLines().contains("委任太郎"));
    }
};

QTEST_MAIN(OutputCommandsTest)
#include "output_commands_test.moc"
