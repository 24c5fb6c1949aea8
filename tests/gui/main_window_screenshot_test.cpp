#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// Runs the built program as a user would, in an X server of its own.
class MainWindowScreenshotTest : public QObject {
    Q_OBJECT

  private:
    QProcess xserver_;
    QProcess program_;
    QString display_;

    // Starts Xvfb on a display number the server takes itself (so that two runs at once never
    // pick the same) and waits until it says which; false when it would not start.
    bool startXServer(const QString& xvfb) {
        xserver_.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                              QStringLiteral("-screen"), QStringLiteral("0"),
                              QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                              QStringLiteral("tcp")});
        if (!xserver_.waitForStarted())
            return false;
        QByteArray said;
        QElapsedTimer waited;
        waited.start();
        while (xserver_.state() == QProcess::Running && waited.elapsed() < 10000) {
            xserver_.waitForReadyRead(100);
            said += xserver_.readAllStandardOutput();
            if (said.contains('\n')) {
                display_ = QStringLiteral(":%1").arg(QString::fromLatin1(said.trimmed()));
                return true;
            }
        }
        xserver_.kill();
        xserver_.waitForFinished();
        return false;
    }

    // Runs an X client on the test's display and returns what it printed.
    QByteArray x(const QString& tool, const QStringList& arguments) {
        QProcess client;
        client.setProcessEnvironment(xEnvironment());
        client.start(tool, arguments);
        if (!client.waitForFinished(10000))
            client.kill();
        return client.readAllStandardOutput().trimmed();
    }

    QProcessEnvironment xEnvironment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display_);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        return environment;
    }

    // The window with this exact title, waiting up to 10 s for it to appear.
    QString windowNamed(const QString& title) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 10000) {
            const QByteArray found =
                x(QStringLiteral("xdotool"),
                  {QStringLiteral("search"), QStringLiteral("--name"), '^' + title + '$'});
            if (!found.isEmpty())
                return QString::fromLatin1(found.split('\n').first());
            QTest::qWait(100);
        }
        return {};
    }

    // Blank: one colour covers nearly the whole picture.
    static bool blank(const QImage& image) {
        if (image.isNull())
            return true;
        QHash<QRgb, int> counts;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                ++counts[image.pixel(x, y)];
        }
        int most = 0;
        for (int count : counts)
            most = qMax(most, count);
        return counts.size() < 4 || most > image.width() * image.height() * 98 / 100;
    }

  private slots:
    void cleanup() {
        if (program_.state() != QProcess::NotRunning) {
            program_.kill();
            program_.waitForFinished();
        }
        if (xserver_.state() != QProcess::NotRunning) {
            xserver_.terminate();
            if (!xserver_.waitForFinished(5000))
                xserver_.kill();
        }
    }

    void mainWindowShowsAndExitEndsTheRun() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            QSKIP("Xvfb is not installed");
        QVERIFY2(startXServer(xvfb), "Xvfb would not start");

        program_.setProcessEnvironment(xEnvironment());
        // What the program reports (a sanitizer's report among it) shows with the test's.
        program_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program_.start(QStringLiteral(MIVO_PROGRAM), {});
        QVERIFY(program_.waitForStarted());
        const QString window = windowNamed(QStringLiteral("Mivo書類発行"));
        QVERIFY2(!window.isEmpty(),
                 program_.state() == QProcess::NotRunning
                     ? qPrintable(QStringLiteral("the program ended (exit code %1) before its "
                                                 "main window appeared")
                                      .arg(program_.exitCode()))
                     : "the main window did not appear within 10 s");

        const QString artifacts = qEnvironmentVariable("MIVO_ARTIFACTS", QDir::tempPath());
        QDir().mkpath(artifacts);
        const QString shot = QDir(artifacts).filePath(QStringLiteral("main_window.png"));
        QImage image;
        QElapsedTimer waited;
        waited.start();
        do { // the first frames may not be painted yet
            QTest::qWait(200);
            x(QStringLiteral("import"), {QStringLiteral("-window"), window, shot});
            image.load(shot);
        } while (blank(image) && waited.elapsed() < 10000);
        QVERIFY2(!blank(image), qPrintable(shot));
        QVERIFY(image.width() >= 400 && image.height() >= 300);

        // Exit from the keyboard: the ファイル menu, its last item.
        x(QStringLiteral("xdotool"),
          {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window, QStringLiteral("key"),
           QStringLiteral("alt+f"), QStringLiteral("Up"), QStringLiteral("Return")});
        QVERIFY2(program_.waitForFinished(10000), "Exit did not end the run");
        QCOMPARE(program_.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program_.exitCode(), 0);
    }
};

QTEST_MAIN(MainWindowScreenshotTest)
#include "main_window_screenshot_test.moc"
