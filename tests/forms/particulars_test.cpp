#include "chooser_driver.h"
#include "fake_prompts.h"

#include "forms/particulars_window.h"
#include "particulars/reiwa_date.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolBar>

using namespace mivo;

// The case's particulars through the real windows: the particulars window, the data-entry
// form opened from the chooser, and the commands of the ファイル menu.
class ParticularsTest : public QObject {
    Q_OBJECT

    MDIForm1* main_ = nullptr;
    FakePrompts* prompts_ = nullptr;
    QTemporaryDir dir_;

    ParticularsWindow* openWindow() {
        auto* toolbar = main_->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        QAction* button = main_->findChild<QAction*>(QStringLiteral("基本情報"));
        QTest::mouseClick(toolbar->widgetForAction(button), Qt::LeftButton);
        return main_->findChild<ParticularsWindow*>();
    }
    static QLineEdit* box(QWidget* window, const QString& name) {
        return window->findChild<QLineEdit*>(name);
    }
    static QLineEdit* tx(Frminin* form, int index) {
        return box(form, QStringLiteral("tx(%1)").arg(index));
    }
    // Types over what a box holds, as keys or, for Japanese, through the input method, and
    // leaves it as Tab would.
    static void type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        if (text.front() < u'\x80')
            QTest::keyClicks(box, text);
        else
            chooser::typeThroughInputMethod(box, text);
        emit box->editingFinished();
    }
    Frminin* open(int button) {
        chooser::pick(*main_, button);
        const QList<Frminin*> forms = chooser::forms(*main_);
        return forms.size() == 1 ? forms.first() : nullptr;
    }
    void closeForm() {
        chooser::forms(*main_).first()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

  private slots:
    void init() {
        auto prompts = std::make_unique<FakePrompts>();
        prompts_ = prompts.get();
        main_ = new MDIForm1(std::move(prompts));
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_));
    }
    void cleanup() { delete main_; }

    // Typed once in the particulars window, a particular fills its boxes in each document
    // opened, tinted; what is typed by hand stays, and a value typed in a form becomes the
    // particular it belongs to.
    void enteredOnceFillsEveryDocument() {
        ParticularsWindow* window = openWindow();
        QVERIFY(window && window->isVisible());
        type(box(window, "user.name"), QStringLiteral("Yamada Taro"));
        type(box(window, "vehicle.make"), QStringLiteral("Prius"));

        Frminin* form = open(4); // 委任状
        QCOMPARE(tx(form, 69)->text(), QStringLiteral("Yamada Taro"));
        QCOMPARE(tx(form, 69)->toolTip(), QStringLiteral("基本情報から入力"));
        QCOMPARE(tx(form, 70)->toolTip(), QString());
        type(tx(form, 69), QStringLiteral("Sato Hanako")); // by hand: the particular stays
        QCOMPARE(tx(form, 69)->toolTip(), QString());
        type(tx(form, 73), QStringLiteral("Suzuki Ichiro")); // 譲渡人 from here on
        type(box(window, "user.name"), QStringLiteral("Yamada Taro Jr"));
        QCOMPARE(tx(form, 69)->text(), QStringLiteral("Sato Hanako"));
        QCOMPARE(main_->document().fields().value(69), QStringLiteral("Sato Hanako"));
        QCOMPARE(box(window, "transferor.name")->text(), QStringLiteral("Suzuki Ichiro"));

        // 基本情報から入力し直す goes over the hand-typed name only when the user agrees.
        QAction* refill = main_->findChild<QAction*>(QStringLiteral("mnuRefill"));
        refill->trigger();
        QCOMPARE(prompts_->questions.size(), 1);
        QCOMPARE(tx(form, 69)->text(), QStringLiteral("Sato Hanako"));
        prompts_->answer = true;
        refill->trigger();
        QCOMPARE(tx(form, 69)->text(), QStringLiteral("Yamada Taro Jr"));
        closeForm();
        QVERIFY(!refill->isEnabled());

        form = open(5); // 譲渡証明書
        QCOMPARE(tx(form, 50)->text(), QStringLiteral("Yamada Taro Jr"));
        QCOMPARE(tx(form, 45)->text(), QStringLiteral("Suzuki Ichiro"));
        QCOMPARE(tx(form, 40)->text(), QStringLiteral("Prius"));
        QCOMPARE(tx(form, 44)->text(), QString());
    }

    // A value typed into the wrong box while its particular was empty is put right where it
    // was typed: cleared there, the particular is empty again; corrected there, the particular
    // and the documents opened after follow. That box is not tinted, being typed; once the
    // particular is edited in the particulars window, the box no longer drives it.
    void learnedValueFollowsItsBox() {
        const auto phone = [this] {
            return main_->particulars().value(Particular::UserPhoneNumber);
        };
        Frminin* form = open(2);         // 保管場所証明書
        QLineEdit* number = tx(form, 5); // 電話・番号
        type(number, QStringLiteral("Yamada Taro"));
        QCOMPARE(phone(), QStringLiteral("Yamada Taro"));
        // Not tinted; a name is too wide for a phone part and is not digits, which the box says.
        QVERIFY(!number->toolTip().contains(QStringLiteral("基本情報から入力")));
        QVERIFY(number->toolTip().contains(QStringLiteral("縮めて印刷します")));
        number->clear();
        emit number->editingFinished();
        QCOMPARE(phone(), QString());

        type(number, QStringLiteral("Yamada Taro"));
        type(number, QStringLiteral("5678"));
        QCOMPARE(phone(), QStringLiteral("5678"));
        QCOMPARE(number->toolTip(), QString());
        closeForm();
        form = open(1); // 自認書
        QCOMPARE(tx(form, 39)->text(), QStringLiteral("5678"));
        QCOMPARE(tx(form, 39)->toolTip(), QStringLiteral("基本情報から入力"));

        ParticularsWindow* window = openWindow();
        type(box(window, "user.phoneNumber"), QStringLiteral("9999"));
        QCOMPARE(tx(form, 39)->text(), QStringLiteral("9999"));
        closeForm();
        form = open(2);
        type(tx(form, 5), QStringLiteral("1111"));
        QCOMPARE(phone(), QStringLiteral("9999"));
    }

    // A document that kept the mistyped value as its own, stored with the case while another
    // is open, follows when the box it was learned from is corrected, and is cleared with it.
    void correctedBoxReachesStoredDocuments() {
        const auto correct = [this](const QString& text) {
            QLineEdit* number = tx(open(2), 5); // 保管場所証明書 電話・番号
            if (text.isEmpty())
                number->clear();
            else
                type(number, text);
            emit number->editingFinished();
            closeForm();
        };
        correct(QStringLiteral("Yamada Taro"));
        type(tx(open(1), 39), QStringLiteral("Yamada Taro")); // 自認書, typed there too
        closeForm();

        correct(QStringLiteral("5678"));
        QCOMPARE(tx(open(1), 39)->text(), QStringLiteral("5678"));
        closeForm();
        correct(QString());
        QCOMPARE(main_->particulars().value(Particular::UserPhoneNumber), QString());
        QCOMPARE(tx(open(1), 39)->text(), QString());
    }

    // A 〒 of seven digits fills the empty address beside it, in the window and in the form;
    // where the code has several towns the user picks one.
    void postalCodeFillsTheAddress_data() {
        QTest::addColumn<bool>("inForm");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("already");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("offered");
        const QString chiyoda = QStringLiteral("東京都千代田区千代田");
        const QString kitayama = QStringLiteral("岩手県下閉伊郡田野畑村北山");
        for (bool inForm : {false, true}) {
            const char* where = inForm ? "form: " : "window: ";
            QTest::addRow("%sone town", where) << inForm << "100-0001"
                                               << "" << chiyoda << 0;
            QTest::addRow("%sfull-width", where) << inForm << "１０００００１"
                                                 << "" << chiyoda << 0;
            QTest::addRow("%sseveral towns", where) << inForm << "0288402"
                                                    << "" << kitayama << 3;
            QTest::addRow("%sunknown", where) << inForm << "0000000"
                                              << ""
                                              << "" << 0;
            QTest::addRow("%saddress typed", where) << inForm << "1000001"
                                                    << "大阪府"
                                                    << "大阪府" << 0;
        }
    }
    void postalCodeFillsTheAddress() {
        QFETCH(bool, inForm);
        QFETCH(QString, code);
        QFETCH(QString, already);
        QFETCH(QString, address);
        QFETCH(int, offered);
        prompts_->choice = 1;
        QLineEdit *postal, *addressBox;
        if (inForm) {
            Frminin* form = open(1); // 自認書
            postal = tx(form, 34);
            addressBox = tx(form, 35);
        } else {
            ParticularsWindow* window = openWindow();
            postal = box(window, "grantor.postalCode");
            addressBox = box(window, "grantor.address");
        }
        addressBox->setText(already);
        if (code.front() < u'\x80')
            QTest::keyClicks(postal, code);
        else
            chooser::typeThroughInputMethod(postal, code);
        QCOMPARE(addressBox->text(), address);
        QCOMPARE(prompts_->offered.size(), offered ? 1 : 0);
        if (offered)
            QCOMPARE(prompts_->offered.first().size(), offered);
    }

    // 今日 and Ctrl+; put today's date in 令和 into a date group; in a form it becomes the
    // document date of the case.
    void todayFillsADateGroup() {
        const ReiwaDate today = reiwaToday();
        ParticularsWindow* window = openWindow();
        QTest::mouseClick(window->findChild<QToolButton*>("today(transferDate.year)"),
                          Qt::LeftButton);
        QCOMPARE(box(window, "transferDate.day")->text(), today.day);

        Frminin* form = open(6); // 承諾書
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_));
        tx(form, 26)->setFocus();
        QTest::keyClick(tx(form, 26), Qt::Key_Semicolon, Qt::ControlModifier);
        QCOMPARE((QStringList{tx(form, 25)->text(), tx(form, 26)->text(), tx(form, 27)->text()}),
                 (QStringList{today.year, today.month, today.day}));
        QCOMPARE(box(window, "documentDate.year")->text(), today.year);
        QTest::mouseClick(form->findChild<QToolButton*>("today(25)"), Qt::LeftButton);
        QCOMPARE(tx(form, 27)->text(), today.day);
    }

    // 車検証データを読み込む: the export fills the empty particulars and the open form; the
    // summary names what was read, withheld and kept; a damaged file changes nothing.
    void certificateImportThroughTheMenu() {
        QFile file(dir_.filePath("export.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"CertInfo": {"CarName": "トヨタ", "Model": "ＤＢＡ－ＺＶＷ３０",
            "CarNo": "ＺＶＷ３０－１２３４５６７", "UsernameLowLevelChar": "山田　太郎",
            "UsernameHighLevelChar": "山﨑　太郎", "UserAddressChar": "***",
            "OwnernameLowLevelChar": "***"}})");
        file.close();
        QFile damaged(dir_.filePath("damaged.json"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("{\"CertInfo\": {\"CarName\": \"トヨ");
        damaged.close();

        Frminin* form = open(6); // 承諾書
        type(tx(form, 22), QStringLiteral("トヨタ自動車"));
        QCoreApplication::processEvents(); // the user's next action comes in a turn of its own
        prompts_->openAnswers = {damaged.fileName(), file.fileName()};
        QAction* import = main_->findChild<QAction*>(QStringLiteral("mnuImportCertificate"));
        import->trigger();
        QCOMPARE(prompts_->warnings.size(), 1);
        QVERIFY(main_->particulars().particulars().isEmpty(Particular::ModelCode));

        import->trigger();
        const Particulars& p = main_->particulars().particulars();
        QCOMPARE(p.value(Particular::Make), QStringLiteral("トヨタ自動車"));
        QCOMPARE(p.value(Particular::UserName), QStringLiteral("山﨑　太郎"));
        QCOMPARE(tx(form, 23)->text(), QStringLiteral("DBA-ZVW30"));
        QCOMPARE(tx(form, 24)->text(), QStringLiteral("ZVW30-1234567"));
        QCOMPARE(prompts_->informed.size(), 1);
        const QString summary = prompts_->informed.first();
        QVERIFY(
            summary.contains(QStringLiteral("開示されていない項目（空欄のまま）: 使用者の住所")));
        QVERIFY(summary.contains(QStringLiteral("入力済みのため変えなかった項目: 車名")));

        // The import is one step of the edit history, across the particulars and the form,
        // and Ctrl+Z in a box undoes it, not only the box's own typing.
        QTest::keyClick(tx(form, 24), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(tx(form, 23)->text(), QString());
        QCOMPARE(tx(form, 24)->text(), QString());
        QVERIFY(main_->particulars().particulars().isEmpty(Particular::ModelCode));
        QCOMPARE(tx(form, 22)->text(), QStringLiteral("トヨタ自動車"));
        QTest::keyClick(tx(form, 22), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(tx(form, 24)->text(), QStringLiteral("ZVW30-1234567"));
        QCOMPARE(main_->particulars().particulars().value(Particular::UserName),
                 QStringLiteral("山﨑　太郎"));
        // Back past the import to before anything was typed.
        QAction* undo = main_->findChild<QAction*>(QStringLiteral("undo"));
        while (undo->isEnabled())
            undo->trigger();
        QCOMPARE(tx(form, 22)->text(), QString());
        QVERIFY(main_->particulars().particulars().isEmpty(Particular::Make));
    }
};

QTEST_MAIN(ParticularsTest)
#include "particulars_test.moc"
