#include "document/current_document.h"
#include "document/document_kind.h"
#include "fake_prompts.h"
#include "forms/frmhchi.h"
#include "forms/location_map_box.h"
#include "forms/picture_box.h"
#include "particulars/case_particulars.h"
#include "print/dispatch.h"
#include "print/recording_surface.h"
#include "test_pictures.h"
#include "top_level_windows.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mivo;
using namespace testpictures;

class FrmhchiTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    CurrentDocument document_;
    FakePrompts* prompts_ = nullptr;

    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        if (!writeFile(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    LayoutDrawingState& drawing() { return document_.drawing(); }
    QByteArray traceOf() {
        RecordingSurface surface;
        if (insatu(surface, document_).status != PrintOutcome::Status::Printed)
            return {};
        return surface.toJsonLines();
    }
    Frmhchi* openForm() {
        auto* form = new Frmhchi(document_, *prompts_);
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        return form;
    }

    template <class T> static T* control(Frmhchi* form, const char* name) {
        T* found = form->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    static void click(Frmhchi* form, const char* name) {
        QTest::mouseClick(control<QPushButton>(form, name), Qt::LeftButton);
    }
    // Japanese is typed through the input method, which commits whole strings.
    static void type(Frmhchi* form, const QString& text) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(control<QLineEdit>(form, "Text1"), &commit);
    }
    // Opens a file into a half: Command1 for the left half, Command2 for the right.
    void open(Frmhchi* form, const char* button, const QString& answer) {
        prompts_->openAnswers << answer;
        click(form, button);
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // The blank map goes into the Pictures folder of this home.
        qputenv("HOME", QFile::encodeName(dir_.filePath("home")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath("home/.config")));
    }

    void init() { prompts_ = new FakePrompts; }
    void cleanup() {
        deleteTopLevelWindows();
        delete prompts_;
    }

    // Each half opens, replaces and empties its own picture; a cancelled dialog or an empty
    // half's cancel button changes nothing and says nothing.
    void halvesOpenReplaceCancelAndEmpty() {
        Frmhchi* form = openForm();
        const QString a = file("a.bmp", encode(plain(40, 30), "BMP"));
        const QString b = file("b.jpg", encode(plain(50, 20), "JPEG"));
        const QString c = file("c.gif", gif(60, 10));

        open(form, "Command1", a);
        QCOMPARE(drawing().locationMap.size(), QSize(40, 30));
        QVERIFY(drawing().layoutMap.isNull());

        open(form, "Command2", b);
        QCOMPARE(drawing().layoutMap.size(), QSize(50, 20));
        open(form, "Command1", c); // replaces the left picture only
        QCOMPARE(drawing().locationMap.size(), QSize(60, 10));
        QCOMPARE(drawing().layoutMap.size(), QSize(50, 20));

        open(form, "Command1", QString()); // cancelled
        QCOMPARE(drawing().locationMap.size(), QSize(60, 10));

        click(form, "Command3");
        QVERIFY(drawing().locationMap.isNull());
        QVERIFY(control<PictureBox>(form, "Picture2")->picture().isNull());
        QCOMPARE(control<PictureBox>(form, "Picture3")->picture().size(), QSize(50, 20));
        click(form, "Command3"); // already empty
        QVERIFY(drawing().locationMap.isNull());
        click(form, "Command4");
        QVERIFY(drawing().layoutMap.isNull());
        QVERIFY(prompts_->warnings.isEmpty());
    }

    // A bad file keeps the half's picture and the typed number; the user is told which file.
    void badFileKeepsWhatWasThere_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg = encode(plain(300, 200), "JPEG");
        QTest::newRow("random bytes named .bmp") << "noise.bmp" << noise(4096);
        QTest::newRow("truncated jpeg") << "cut.jpg" << jpeg.left(jpeg.size() / 3);
        QTest::newRow("zero bytes") << "empty.jpg" << QByteArray();
        QTest::newRow("gif declaring 65535 x 65535") << "huge.gif" << hugeGif();
    }
    void badFileKeepsWhatWasThere() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        Frmhchi* form = openForm();
        open(form, "Command2", file("good.bmp", encode(plain(40, 30), "BMP")));
        const qint64 before = drawing().layoutMap.cacheKey();
        type(form, QStringLiteral("練馬 500 さ 1"));

        open(form, "Command2", file(name, bytes));
        QCOMPARE(drawing().layoutMap.cacheKey(), before);
        QCOMPARE(control<PictureBox>(form, "Picture3")->picture().cacheKey(), before);
        QCOMPARE(prompts_->warnings.size(), 1);
        QVERIFY2(prompts_->warnings.first().contains(name), qPrintable(prompts_->warnings.first()));
        QCOMPARE(drawing().registrationNumber, QStringLiteral("練馬 500 さ 1"));
    }

    // The box shows the picture unscaled from its top-left corner, cut off at its edges, on
    // light grey where the picture does not reach.
    void boxShowsTopLeftUnscaled() {
        Frmhchi* form = openForm();
        auto* box = control<PictureBox>(form, "Picture2");
        open(form, "Command1", file("big.bmp", encode(plain(2000, 2000), "BMP")));
        QImage shown = box->grab().toImage();
        const QRect inside = box->contentsRect();
        QCOMPARE(shown.pixelColor(inside.topLeft()), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(inside.topLeft() + QPoint(1, 1)), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(inside.bottomRight()), QColor(Qt::red));

        open(form, "Command1", file("small.bmp", encode(plain(10, 10), "BMP")));
        shown = box->grab().toImage();
        QCOMPARE(shown.pixelColor(inside.topLeft() + QPoint(5, 5)), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(inside.topLeft() + QPoint(20, 20)), QColor(224, 224, 224));
    }

    // The dialog's first choice lists every picture the loader takes, in any case; then one
    // choice per kind.
    void openDialogOffersEveryAcceptedPicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("listed");
        for (const char* name : {"a.bmp", "B.BMP", "c.Gif", "d.jpg", "e.JPEG", "f.png", "G.PNG"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        for (const char* name : {"h.svg", "i.svgz", "j.tif", "png", "k.png.txt"})
            QTest::newRow(name) << QString::fromLatin1(name) << false;
    }
    void openDialogOffersEveryAcceptedPicture() {
        QFETCH(QString, name);
        QFETCH(bool, listed);
        Frmhchi* form = openForm();
        click(form, "Command1");
        const QStringList pieces = prompts_->filter.split(u'|');
        QCOMPARE(pieces.size(), 2 * 5); // all pictures, BMP, GIF, JPEG, PNG
        QVERIFY(pieces.first().contains(QStringLiteral("png")));
        const auto matches = [&](const QString& patterns) {
            for (const QString& pattern : patterns.split(u' ')) {
                if (QRegularExpression::fromWildcard(pattern).match(name).hasMatch())
                    return true;
            }
            return false;
        };
        QCOMPARE(matches(pieces[1]), listed);
        int kinds = 0;
        for (qsizetype i = 3; i < pieces.size(); i += 2)
            kinds += matches(pieces[i]);
        QCOMPARE(kinds, listed ? 1 : 0);
        QVERIFY(control<QLabel>(form, "Label1")->text().contains(QStringLiteral("png")));
    }

    // A map larger than its area is said to be so; 枠に合わせる, off at first, shows it fitted
    // and prints it fitted. A new picture starts at its natural size again.
    void largeMapCanBeFitted() {
        Frmhchi* form = openForm();
        auto* box = control<PictureBox>(form, "Picture2");
        auto* fit = control<QCheckBox>(form, "Check1");
        const QString big = file("big.bmp", encode(plain(2000, 2000), "BMP")); // 529 mm square
        open(form, "Command1", big);
        open(form, "Command2", file("small.bmp", encode(plain(10, 10), "BMP")));
        QVERIFY(control<QLabel>(form, "Label5")->isVisible());
        QVERIFY(!control<QLabel>(form, "Label6")->isVisible());
        QVERIFY(fit->isEnabled() && !fit->isChecked());
        QVERIFY(!control<QCheckBox>(form, "Check2")->isEnabled());
        QVERIFY(traceOf().contains(R"({"op":"DrawPicture","args":[22,35,2000,2000]})"));

        QTest::mouseClick(fit, Qt::LeftButton, {}, QPoint(5, fit->height() / 2));
        QVERIFY(drawing().fitLocationMap);
        QVERIFY(!control<QLabel>(form, "Label5")->isVisible());
        const QImage shown = box->grab().toImage();
        const QRect inside = box->contentsRect();
        QCOMPARE(shown.pixelColor(inside.center()), QColor(Qt::red));
        // The whole width of the area is in the box, and the map takes only its own share.
        QCOMPARE(shown.pixelColor(inside.right() - 1, inside.top() + 5), QColor(224, 224, 224));
        QVERIFY(
            traceOf().contains(R"({"op":"DrawPictureScaled","args":[22,35,2000,2000,118,118]})"));

        open(form, "Command1", big);
        QVERIFY(!drawing().fitLocationMap && !fit->isChecked());
    }

    // A click places the chosen mark, a press on a mark chooses it, the arrow keys move it;
    // the distance and the 2 km warning follow what is typed; the page gets the marks. A new
    // picture drops the marks and keeps the typed distance.
    void marksOnTheLocationMap() {
        Frmhchi* form = openForm();
        open(form, "Command1", file("map.png", encode(plain(400, 300), "PNG")));
        auto* box = control<LocationMapBox>(form, "Picture2");
        QSignalSpy changed(form, &Frmhchi::drawingChanged);
        const QPoint corner = box->contentsRect().topLeft();
        QTest::mouseClick(box, Qt::LeftButton, {}, corner + QPoint(10, 20)); // unscaled yet
        QCOMPARE(drawing().location.home->pixel, QPointF(10, 20));
        click(form, "markParking");
        QTest::mouseClick(box, Qt::LeftButton, {}, box->contentsRect().center());
        QVERIFY(drawing().location.parking);
        QCOMPARE(drawing().location.home->pixel, QPointF(10, 20));
        click(form, "markHome");
        QTest::keyClick(box, Qt::Key_Right);
        QTest::keyClick(box, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(drawing().location.home->pixel, QPointF(11, 30));
        QVERIFY(changed.size() >= 4);

        auto* status = control<QLabel>(form, "Label7");
        QVERIFY(status->isVisible());
        QVERIFY(!control<QCheckBox>(form, "Check1")->isVisible());
        QVERIFY(status->text().contains(QStringLiteral("距離を入力するか")));
        QTest::keyClicks(control<QLineEdit>(form, "distance"), QStringLiteral("2010"));
        QCOMPARE(drawing().location.typedDistance, 2010.0);
        QCOMPARE(status->text(), QStringLiteral("直線距離 約2010m　直線距離が2kmを超えています"));
        QByteArray trace = traceOf();
        QCOMPARE(trace.count(R"({"op":"Circle")"), 2);
        QVERIFY(trace.contains(R"(["直線距離 約2010m"])"));

        control<QCheckBox>(form, "omitLocation")->click();
        QVERIFY(traceOf().contains(QString::fromUtf16(kOmittedLocationText).toUtf8()));
        const LocationMarks omitted = drawing().location; // a map left out takes no marks
        QTest::mouseClick(box, Qt::LeftButton, {}, box->contentsRect().center() + QPoint(30, 0));
        QTest::keyClick(box, Qt::Key_Left);
        QVERIFY(drawing().location == omitted);
        control<QCheckBox>(form, "omitLocation")->click();

        open(form, "Command1", file("other.png", encode(plain(300, 300), "PNG")));
        QVERIFY(!drawing().location.home && !drawing().location.parking);
        QCOMPARE(drawing().location.typedDistance, 2010.0);
    }

    // 地図を取得… offers the case's two addresses; the fetched map takes the left half with
    // both marks, and a mark moved on it keeps a true latitude and longitude. Cancelled, it
    // changes nothing.
    void fetchedMapTakesTheLeftHalf() {
        CaseParticulars particulars;
        particulars.setValue(Particular::UserBaseOfUse,
                             QStringLiteral("東京都千代田区丸の内一丁目"));
        particulars.setValue(Particular::ParkingLocation, QStringLiteral("東京都千代田区神田"));
        auto* form = new Frmhchi(document_, *prompts_, &particulars);
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        click(form, "fetchMap");
        QCOMPARE(prompts_->fetchAddresses,
                 (QStringList{QStringLiteral("東京都千代田区丸の内一丁目"),
                              QStringLiteral("東京都千代田区神田")}));
        QVERIFY(drawing().locationMap.isNull());

        LocationMapFetch map;
        map.picture = plain(930, 985);
        map.marks.tiling = MapTiling{16, 58200, 25800, 1};
        map.marks.home = MapMark{{400, 600}, geoOfPixel(*map.marks.tiling, {400, 600})};
        map.marks.parking = MapMark{{420, 300}, geoOfPixel(*map.marks.tiling, {420, 300})};
        prompts_->fetchedMap = map;
        QTest::keyClicks(control<QLineEdit>(form, "distance"), QStringLiteral("700"));
        click(form, "fetchMap");
        QCOMPARE(drawing().locationMap.size(), QSize(930, 985));
        QCOMPARE(drawing().location.typedDistance, 700.0);
        QVERIFY(drawing().location.tiling);
        QVERIFY(traceOf().contains(QStringLiteral("出典：地理院タイル").toUtf8()));

        QTest::keyClick(control<LocationMapBox>(form, "Picture2"), Qt::Key_Up);
        const MapMark& home = *drawing().location.home;
        QCOMPARE(home.pixel, QPointF(400, 599));
        QVERIFY(home.geo && *home.geo == geoOfPixel(*drawing().location.tiling, {400, 599}));
    }

    // What the form holds is what prints: the typed number and the loaded maps.
    void printsWhatTheFormHolds() {
        Frmhchi* form = openForm();
        type(form, QStringLiteral("品川 300 あ 12-34"));
        open(form, "Command2", file("right.bmp", encode(plain(33, 22), "BMP")));
        RecordingSurface surface;
        QCOMPARE(insatu(surface, document_).status, PrintOutcome::Status::Printed);
        const QByteArray trace = surface.toJsonLines();
        QVERIFY(trace.contains(R"({"op":"DrawPicture","args":[142,35,33,22]})"));
        QVERIFY(!trace.contains(R"({"op":"DrawPicture","args":[22,)"));
        QVERIFY(trace.contains(R"({"op":"PrintText","args":["品川 300 あ 12-34"]})"));
    }

    // Closing discards the maps and the number and closes the document, whether through
    // 閉じる or the window's close box; the next opening starts empty.
    void closeAndReopen_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("閉じる") << false;
        QTest::newRow("close box") << true;
    }
    void closeAndReopen() {
        QFETCH(bool, closeBox);
        Frmhchi* form = openForm();
        QCOMPARE(document_.title(), titleOf(DocumentKind::LayoutDrawing));
        type(form, QStringLiteral("足立 330 た 7"));
        open(form, "Command1", file("left.bmp", encode(plain(40, 30), "BMP")));

        const QPointer<Frmhchi> closing = form;
        if (closeBox)
            form->close();
        else
            click(form, "cmdexit");
        QTRY_VERIFY(closing.isNull());
        QVERIFY(document_.title().isEmpty());
        QVERIFY(drawing().locationMap.isNull());
        QVERIFY(drawing().registrationNumber.isEmpty());

        form = openForm();
        QCOMPARE(document_.title(), titleOf(DocumentKind::LayoutDrawing));
        QVERIFY(control<QLineEdit>(form, "Text1")->text().isEmpty());
        QVERIFY(control<PictureBox>(form, "Picture2")->picture().isNull());
        QVERIFY(control<PictureBox>(form, "Picture3")->picture().isNull());
    }

    // The keyboard walks the controls in the order of the design and stays in the form; the
    // location map's marks are passed by while it has no picture.
    void tabOrder() {
        Frmhchi* form = openForm();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QStringList walked{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 11; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << QApplication::focusWidget()->objectName();
        }
        // 配置図を描く… (Command6) follows the right half's own buttons.
        QCOMPARE(walked, (QStringList{"Command1", "Command3", "fetchMap", "distance",
                                      "omitLocation", "Command2", "Command4", "Command6", "Text1",
                                      "Command5", "cmdexit", "Command1"}));
    }

    // Alt+key reaches one control only: no two buttons or captions share an access key.
    void accessKeysAreDistinct() {
        Frmhchi* form = openForm();
        QStringList keys;
        for (QWidget* w : form->findChildren<QWidget*>()) {
            QString text;
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                text = b->text();
            else if (auto* l = qobject_cast<QLabel*>(w))
                text = l->text();
            if (const QKeySequence key = QKeySequence::mnemonic(text); !key.isEmpty())
                keys << key.toString();
        }
        QVERIFY(keys.contains(QStringLiteral("Alt+Z")));
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    }

    // 地図を新規作成 writes a new blank map into the Pictures folder, never over an earlier
    // one, and hands it to the paint program.
    void newMapIsBlankAndNew() {
        Frmhchi* form = openForm();
        click(form, "Command5");
        click(form, "Command5");
        QCOMPARE(prompts_->painted.size(), 2);
        QVERIFY(prompts_->painted[0] != prompts_->painted[1]);
        QCOMPARE(QFileInfo(prompts_->painted[0]).absolutePath(),
                 QDir(dir_.filePath("home/Pictures")).absolutePath());

        QFile saved(prompts_->painted[0]);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(int(uchar(bytes[28])), 24); // bits per pixel
        QImage picture;
        QVERIFY(picture.loadFromData(bytes));
        QCOMPARE(picture.size(), QSize(294, 265));
        QCOMPARE(picture.dotsPerMeterX(), 3780);
        int black = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb pixel = picture.pixel(x, y) & 0xFFFFFF;
                QVERIFY(pixel == 0xFFFFFF || pixel == 0);
                black += pixel == 0;
            }
        }
        QCOMPARE(black, 2);
        QVERIFY(prompts_->warnings.isEmpty());
    }

    // Without a paint program the user learns where the blank map is.
    void newMapWithoutPaintProgram() {
        prompts_->paintProgramStarts = false;
        Frmhchi* form = openForm();
        click(form, "Command5");
        QCOMPARE(prompts_->warnings.size(), 1);
        QVERIFY(prompts_->warnings.first().contains(
            QDir::toNativeSeparators(prompts_->painted.first())));
        QVERIFY(QFile::exists(prompts_->painted.first()));
    }
};

QTEST_MAIN(FrmhchiTest)

#include "frmhchi_test.moc"
