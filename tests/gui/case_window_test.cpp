// The main window keeps what is typed in a case: found again after a restart, searched, renamed
// and deleted in 案件を開く; a damaged file and a server that is gone are told to the user.
#include "app/case_commands.h"
#include "app/case_list_dialog.h"
#include "app/output_commands.h"
#include "app/preview_window.h"
#include "cases/case_keeper.h"
#include "cases/case_store.h"
#include "chooser_driver.h"
#include "fake_print_service.h"
#include "fake_prompts.h"
#include "forms/field_box.h"
#include "forms/frmhchi.h"
#include "particulars/case_particulars.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <memory>

using namespace mivo;

namespace {
// The chooser's buttons.
constexpr int kParkingCertificate = 2;
constexpr int kLayoutDrawing = 3;
constexpr int kPowerOfAttorney = 4;
} // namespace

class CaseWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    std::unique_ptr<MDIForm1> main_;
    FakePrompts* prompts_ = nullptr;

    QString casesFile() const { return home_.filePath(QStringLiteral("data/mivo/cases.sqlite")); }

    void start() {
        auto prompts = std::make_unique<FakePrompts>();
        prompts_ = prompts.get();
        main_ = std::make_unique<MDIForm1>(std::move(prompts));
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }
    // Exit, as the user ends the program.
    void exit() {
        main_->close();
        main_.reset();
    }

    template <typename T> T* child(QObject* parent, const QString& name) {
        T* found = parent->findChild<T*>(name);
        if (!found)
            qFatal("no %s", qPrintable(name));
        return found;
    }
    QLineEdit* box(int index) {
        return child<QLineEdit>(main_->mdiArea(), QStringLiteral("tx(%1)").arg(index));
    }
    CaseListDialog* openCaseList() {
        chooser::trigger(*main_, "openCase");
        return child<CaseListDialog>(main_.get(), QStringLiteral("CaseListDialog"));
    }
    QStringList names(CaseListDialog* dialog) {
        auto* list = child<QTreeWidget>(dialog, QStringLiteral("cases"));
        QStringList found;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            found << list->topLevelItem(i)->text(0);
        return found;
    }
    static QByteArray hash(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }

  private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(home_.filePath(QStringLiteral("data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath(QStringLiteral("config"))));
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void cleanup() {
        main_.reset();
        QSettings(QStringLiteral("mivo"), QStringLiteral("mivo")).remove(QStringLiteral("cases"));
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->parentWidget())
                delete widget;
        }
        QDir(home_.path()).removeRecursively();
        QDir().mkpath(home_.path());
    }

    // Typed into two documents, the program ended with a form still open: after a restart the
    // list finds the case by a value and opening it fills both documents' forms.
    void restartFindsTheCaseWithItsValues() {
        start();
        chooser::pick(*main_, kPowerOfAttorney);
        chooser::typeThroughInputMethod(box(69), QStringLiteral("行政花子"));
        chooser::typeThroughInputMethod(box(70), QStringLiteral("横浜市中区山下町"));
        QTest::mouseClick(child<QPushButton>(main_->mdiArea(), QStringLiteral("cmdexit")),
                          Qt::LeftButton);
        QVERIFY(!main_->document().isOpen());
        chooser::pick(*main_, kLayoutDrawing);
        QSignalSpy drawn(main_->mdiArea()->findChild<Frmhchi*>(), &Frmhchi::drawingChanged);
        chooser::typeThroughInputMethod(child<QLineEdit>(main_->mdiArea(), QStringLiteral("Text1")),
                                        QStringLiteral("品川500あ1234"));
        QCOMPARE(drawn.size(), 1);
        // A map larger than its area, fitted while the preview is open: the preview follows.
        const QString map = home_.filePath(QStringLiteral("map.png"));
        QImage large(3000, 2000, QImage::Format_RGB32);
        large.fill(Qt::darkCyan);
        QVERIFY(large.save(map));
        prompts_->openAnswers = {map};
        QTest::mouseClick(child<QPushButton>(main_->mdiArea(), QStringLiteral("Command1")),
                          Qt::LeftButton);
        chooser::trigger(*main_, "mnuPreview");
        QPointer<PreviewWindow> preview = main_->outputCommands().previewWindow();
        QTRY_VERIFY(!preview->page().isNull());
        const QImage unfitted = preview->page();
        child<QCheckBox>(main_->mdiArea(), QStringLiteral("Check1"))->click();
        QTRY_VERIFY(preview->page() != unfitted);
        QCOMPARE(drawn.size(), 3);
        QTRY_VERIFY(main_->windowTitle().contains(QStringLiteral("行政花子")));
        exit();

        start();
        QCOMPARE(main_->windowTitle(), QStringLiteral("Mivo書類発行"));
        CaseListDialog* dialog = openCaseList();
        auto* search = child<QLineEdit>(dialog, QStringLiteral("search"));
        chooser::typeThroughInputMethod(search, QStringLiteral("山下"));
        QTRY_COMPARE(names(dialog).size(), 1);
        const QTreeWidgetItem* row =
            child<QTreeWidget>(dialog, QStringLiteral("cases"))->topLevelItem(0);
        QVERIFY(row->text(0).startsWith(QStringLiteral("行政花子 ")));
        QVERIFY(row->text(2).contains(QStringLiteral("委任状")));
        QVERIFY(row->text(2).contains(QStringLiteral("保管場所配置図")));
        chooser::typeThroughInputMethod(search, QStringLiteral("大阪"));
        QTRY_VERIFY(names(dialog).isEmpty());
        QCOMPARE(child<QLabel>(dialog, QStringLiteral("empty"))->text(),
                 QStringLiteral("見つかりません"));
        QVERIFY(child<QLabel>(dialog, QStringLiteral("empty"))->isVisibleTo(dialog));
        search->setText(QStringLiteral("品川500"));
        QTRY_COMPARE(names(dialog).size(), 1);
        QTest::keyClick(search, Qt::Key_Return);
        QTRY_VERIFY(main_->windowTitle().contains(QStringLiteral("行政花子")));

        chooser::pick(*main_, kPowerOfAttorney);
        QCOMPARE(box(69)->text(), QStringLiteral("行政花子"));
        QCOMPARE(box(70)->text(), QStringLiteral("横浜市中区山下町"));
        main_->mdiArea()->closeAllSubWindows();
        chooser::pick(*main_, kLayoutDrawing);
        QCOMPARE(child<QLineEdit>(main_->mdiArea(), QStringLiteral("Text1"))->text(),
                 QStringLiteral("品川500あ1234"));
        QVERIFY(child<QCheckBox>(main_->mdiArea(), QStringLiteral("Check1"))->isChecked());
    }

    // A correction in 案件の基本情報 after a document was closed reaches the stored documents:
    // the one that held the old value and those never opened; a value typed differently stays.
    // Before a PDF is saved the doubtful month is listed, and 戻って直す saves nothing.
    void correctionReachesTheStoredDocuments() {
        start();
        main_->particulars().setValue(Particular::UserAddress, QStringLiteral("東京都練馬区"));
        chooser::pick(*main_, kPowerOfAttorney);
        QCOMPARE(box(70)->text(), QStringLiteral("東京都練馬区"));
        box(74)->setText(QStringLiteral("手書きの住所"));
        box(64)->setText(QStringLiteral("13"));
        auto* month = dynamic_cast<FieldBox*>(box(64));
        QVERIFY(month && month->isDoubtful());
        QVERIFY(month->toolTip().contains(QStringLiteral("1〜12")));
        prompts_->printingAnyway = false;
        prompts_->path = home_.filePath(QStringLiteral("page.pdf"));
        chooser::trigger(*main_, "mnuSavePdf");
        QCOMPARE(prompts_->findings.size(), 1);
        QVERIFY(prompts_->findings.first().join(u'\n').contains(QStringLiteral("日付・月")));
        QVERIFY(prompts_->suggestedNames.isEmpty() && !QFile::exists(prompts_->path));
        QTest::mouseClick(child<QPushButton>(main_->mdiArea(), QStringLiteral("cmdexit")),
                          Qt::LeftButton);

        main_->particulars().setValue(Particular::UserAddress,
                                      QStringLiteral("東京都練馬区豊玉北6-12-1"));
        main_->particulars().setValue(Particular::TransferorAddress,
                                      QStringLiteral("東京都豊島区"));
        exit();
        CaseStore store(CaseDatabase::fromArgument(casesFile()));
        const QList<CaseSummary> cases = store.list();
        QCOMPARE(cases.size(), 1);
        const Case c = *store.load(cases.first().id);
        for (int field : {70, 2, 35, 49})
            QCOMPARE(c.values[size_t(field)], QStringLiteral("東京都練馬区豊玉北6-12-1"));
        QCOMPARE(c.values[74], QStringLiteral("手書きの住所"));
        QCOMPARE(c.values[44], QStringLiteral("東京都豊島区"));
    }

    // With no document open the work area shows the case: what was printed, what has
    // values, what is empty. The next start takes the case up again, and its document opens
    // from there with its values.
    void theLastCaseComesBack() {
        start();
        main_->setPrintService(std::make_unique<FakePrintService>());
        chooser::pick(*main_, kPowerOfAttorney);
        chooser::typeThroughInputMethod(box(69), QStringLiteral("山田一郎"));
        QTRY_VERIFY(main_->windowTitle().contains(QStringLiteral("山田一郎")));
        chooser::trigger(*main_, "mneprint");
        main_->mdiArea()->closeAllSubWindows();
        const auto state = [this](const char* alias) {
            return child<QLabel>(main_.get(), QStringLiteral("state:%1").arg(alias))->text();
        };
        QVERIFY(state("power-of-attorney").startsWith(QStringLiteral("印刷済み")));
        QCOMPARE(state("transfer-certificate"), QStringLiteral("空"));
        exit();

        start();
        main_->cases().reopenLastCase();
        QTRY_VERIFY(main_->windowTitle().contains(QStringLiteral("山田一郎")));
        QVERIFY(child<QLabel>(main_.get(), QStringLiteral("caseName"))
                    ->text()
                    .startsWith(QStringLiteral("山田一郎")));
        QVERIFY(state("power-of-attorney").startsWith(QStringLiteral("印刷済み")));
        const QList<QAction*> recent = main_->findChildren<QAction*>(QStringLiteral("recentCase"));
        QVERIFY(recent.first()->text().startsWith(QStringLiteral("&1 山田一郎")));
        QTest::mouseClick(child<QPushButton>(main_.get(), QStringLiteral("open:power-of-attorney")),
                          Qt::LeftButton);
        QCOMPARE(box(69)->text(), QStringLiteral("山田一郎"));
    }

    // The box a particular was learned from is kept with the case: after a restart, correcting
    // it still corrects the particular.
    void learnedBoxDrivesItsParticularAfterARestart() {
        start();
        chooser::pick(*main_, kParkingCertificate);
        chooser::typeThroughInputMethod(box(5), QStringLiteral("行政花子")); // in 電話・番号
        emit box(5)->editingFinished();
        exit();

        start();
        CaseListDialog* dialog = openCaseList();
        QTRY_COMPARE(names(dialog).size(), 1);
        QTest::keyClick(child<QLineEdit>(dialog, QStringLiteral("search")), Qt::Key_Return);
        QTRY_COMPARE(main_->particulars().value(Particular::UserPhoneNumber),
                     QStringLiteral("行政花子"));
        chooser::pick(*main_, kParkingCertificate);
        box(5)->selectAll();
        QTest::keyClicks(box(5), QStringLiteral("5678"));
        emit box(5)->editingFinished();
        QCOMPARE(main_->particulars().value(Particular::UserPhoneNumber), QStringLiteral("5678"));
    }

    // Rename in place, delete to the trash only after yes, and restore from the trash.
    void listRenamesAndDeletesAfterAsking() {
        {
            CaseStore store(CaseDatabase::fromArgument(casesFile()));
            Case c;
            c.values[69] = QStringLiteral("佐藤一郎");
            QVERIFY(store.save(c, false).ok);
        }
        start();
        CaseListDialog* dialog = openCaseList();
        QTRY_COMPARE(names(dialog).size(), 1);
        auto* list = child<QTreeWidget>(dialog, QStringLiteral("cases"));
        list->topLevelItem(0)->setText(0, QStringLiteral("佐藤様 車庫証明"));
        QTRY_COMPARE(names(dialog), QStringList{QStringLiteral("佐藤様 車庫証明")});

        prompts_->answer = false;
        QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("remove")), Qt::LeftButton);
        QCOMPARE(prompts_->questions.size(), 1);
        QVERIFY(prompts_->questions.first().contains(QStringLiteral("佐藤様 車庫証明")));
        QTest::qWait(200);
        QCOMPARE(names(dialog).size(), 1);
        prompts_->answer = true;
        QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("remove")), Qt::LeftButton);
        QTRY_VERIFY(names(dialog).isEmpty());
        QCOMPARE(CaseStore(CaseDatabase::fromArgument(casesFile())).list().size(), 0);

        QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("trash")), Qt::LeftButton);
        QTRY_COMPARE(names(dialog), QStringList{QStringLiteral("佐藤様 車庫証明")});
        QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("restore")), Qt::LeftButton);
        QTRY_VERIFY(names(dialog).isEmpty());
        QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("trash")), Qt::LeftButton);
        QTRY_COMPARE(names(dialog), QStringList{QStringLiteral("佐藤様 車庫証明")});
    }

    // Said once, where the file is; typing goes on and the file stays as it was.
    void damagedFileIsToldOnceAndLeftAlone() {
        QVERIFY(QDir().mkpath(QFileInfo(casesFile()).absolutePath()));
        QFile file(casesFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("SQLite format 3") + QByteArray(4096, '\x33'));
        file.close();
        const QByteArray before = hash(casesFile());

        start();
        QTRY_COMPARE(prompts_->warnings.size(), 1);
        QVERIFY(prompts_->warnings.first().contains(casesFile()));
        QVERIFY(!child<QAction>(main_.get(), QStringLiteral("openCase"))->isEnabled());
        chooser::pick(*main_, kPowerOfAttorney);
        chooser::typeThroughInputMethod(box(69), QStringLiteral("行政花子"));
        QTest::qWait(2 * CaseKeeper::kSaveDelayMs);
        QCOMPARE(box(69)->text(), QStringLiteral("行政花子"));
        QCOMPARE(prompts_->warnings.size(), 1);
        exit();
        QCOMPARE(hash(casesFile()), before);
    }

    // A server that does not answer: Exit asks before the unsaved typing is lost.
    void exitAsksWhileTypingIsUnsaved_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("stay") << false;
        QTest::newRow("exit") << true;
    }
    void exitAsksWhileTypingIsUnsaved() {
        QFETCH(bool, answer);
        QSettings(QStringLiteral("mivo"), QStringLiteral("mivo"))
            .setValue(QStringLiteral("cases/postgresql"),
                      QStringLiteral("host=%1 dbname=mivo").arg(home_.filePath("no-server")));
        start();
        chooser::pick(*main_, kPowerOfAttorney);
        chooser::typeThroughInputMethod(box(69), QStringLiteral("行政花子"));
        QTRY_VERIFY(!child<QLabel>(main_.get(), QStringLiteral("caseProblem"))->text().isEmpty());
        prompts_->answer = answer;
        QCOMPARE(main_->close(), answer);
        QCOMPARE(prompts_->questions.size(), 1);
        QCOMPARE(main_->document().isOpen(), !answer);
    }
};

QTEST_MAIN(CaseWindowTest)
#include "case_window_test.moc"
