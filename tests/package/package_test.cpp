#include "pdf_words.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(240000))
        return {-1, {}, QStringLiteral("%1: %2").arg(program, process.errorString())};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

#define VERIFY_RAN(run) QVERIFY2((run).exitCode == 0, qPrintable((run).out + (run).err))

// Every file under `folder`, relative to it.
QStringList filesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

const QString kAppId = QStringLiteral("example.mivo.Mivo");

} // namespace

// Makes the Debian package from this build as `make package` does, checks it with Debian's own
// tools, installs it into a folder with dpkg --root, runs the installed mivo-render and removes
// the package again.
class PackageTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString deb_;

    QString path(const QString& name) const { return dir_.filePath(name); }

  private slots:
    void initTestCase() {
        if (geteuid() != 0)
            QSKIP("dpkg installs as root only; run the tests as root to check the package");
        QVERIFY(dir_.isValid());
        const Run made =
            run(qEnvironmentVariable("MIVO_CPACK"),
                {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                 qEnvironmentVariable("MIVO_CPACK_CONFIG"), QStringLiteral("-B"), dir_.path()});
        VERIFY_RAN(made);
        const QStringList debs = QDir(dir_.path()).entryList({QStringLiteral("*.deb")});
        QCOMPARE(debs.size(), 1);
        deb_ = path(debs.first());
        VERIFY_RAN(run(QStringLiteral("dpkg-deb"),
                       {QStringLiteral("-x"), deb_, path(QStringLiteral("tree"))}));
    }

    // The version is the project's; Depends has the libraries dpkg-shlibdeps found and the
    // fonts, and this system can satisfy it.
    void controlFields() {
        const Run fields =
            run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb_, QStringLiteral("Package"),
                                             QStringLiteral("Version"), QStringLiteral("Depends")});
        VERIFY_RAN(fields);
        QVERIFY2(fields.out.startsWith(QStringLiteral("Package: mivo\nVersion: %1\n")
                                           .arg(qEnvironmentVariable("MIVO_VERSION"))),
                 qPrintable(fields.out));
        for (const char* depend :
             {"libqt6widgets6", "libcups2", "fonts-ipafont-mincho", "fonts-ipafont-gothic"})
            QVERIFY2(fields.out.contains(QLatin1String(depend)), depend);
        VERIFY_RAN(run(QStringLiteral("apt-get"),
                       {QStringLiteral("install"), QStringLiteral("--simulate"), deb_}));
    }

    // The programs, their manual pages, the menu entry with its icon, the metainfo and Debian's
    // documents; more programs and manual pages may come, nothing else.
    void fileList() {
        const QStringList files = filesUnder(path(QStringLiteral("tree")));
        const QStringList wanted = {
            QStringLiteral("usr/bin/mivo"),
            QStringLiteral("usr/bin/mivo-render"),
            QStringLiteral("usr/bin/mivo-cases"),
            QStringLiteral("usr/share/applications/%1.desktop").arg(kAppId),
            QStringLiteral("usr/share/doc/mivo/changelog.gz"),
            QStringLiteral("usr/share/doc/mivo/copyright"),
            QStringLiteral("usr/share/icons/hicolor/128x128/apps/%1.png").arg(kAppId),
            QStringLiteral("usr/share/icons/hicolor/48x48/apps/%1.png").arg(kAppId),
            QStringLiteral("usr/share/icons/hicolor/scalable/apps/%1.svg").arg(kAppId),
            QStringLiteral("usr/share/man/man1/mivo-render.1.gz"),
            QStringLiteral("usr/share/man/man1/mivo-cases.1.gz"),
            QStringLiteral("usr/share/man/man1/mivo.1.gz"),
            QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(kAppId),
        };
        for (const QString& file : wanted)
            QVERIFY2(files.contains(file), qPrintable(file + QStringLiteral(" is missing")));
        for (const QString& file : files) {
            QVERIFY2(wanted.contains(file) || file.startsWith(u"usr/bin/") ||
                         file.startsWith(u"usr/share/man/man1/"),
                     qPrintable(file + QStringLiteral(" is not one of the package's files")));
        }
    }

    // Lintian's errors and warnings, the menu entry and the metainfo with the entry it names.
    void debianChecks() {
        VERIFY_RAN(run(QStringLiteral("lintian"),
                       {QStringLiteral("--allow-root"), QStringLiteral("--fail-on"),
                        QStringLiteral("error,warning"), deb_}));
        VERIFY_RAN(
            run(QStringLiteral("desktop-file-validate"),
                {path(QStringLiteral("tree/usr/share/applications/%1.desktop")).arg(kAppId)}));
        VERIFY_RAN(run(QStringLiteral("appstreamcli"),
                       {QStringLiteral("validate-tree"), QStringLiteral("--no-net"),
                        path(QStringLiteral("tree"))}));
    }

    // Installed by dpkg into a root of its own, mivo-render runs from there and makes a page; once
    // purged, only dpkg's own records are left.
    void installsRunsAndRemoves() {
        const QString root = path(QStringLiteral("root"));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/var/lib/dpkg/info")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/var/lib/dpkg/updates")));
        QFile status(root + QStringLiteral("/var/lib/dpkg/status"));
        QVERIFY(status.open(QIODevice::WriteOnly));
        status.close();
        const QString dpkgRoot = QStringLiteral("--root=") + root;
        // The root holds no libraries or fonts; the system's serve the programs.
        VERIFY_RAN(run(QStringLiteral("dpkg"), {dpkgRoot, QStringLiteral("--force-depends"),
                                                QStringLiteral("--install"), deb_}));

        const QString render = root + QStringLiteral("/usr/bin/mivo-render");
        const Run version = run(render, {QStringLiteral("--version")});
        VERIFY_RAN(version);
        QCOMPARE(version.out.trimmed(),
                 QStringLiteral("mivo-render %1").arg(qEnvironmentVariable("MIVO_VERSION")));
        const QString pdf = path(QStringLiteral("page.pdf"));
        VERIFY_RAN(run(render, {QStringLiteral("委任状"), QStringLiteral("--set"),
                                QStringLiteral("62=行政太郎"), QStringLiteral("-o"), pdf}));
        QFile page(pdf);
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray bytes = page.readAll();
        QCOMPARE(pdfPageCount(bytes), 1);
        QVERIFY(findWord(readPdfWords(bytes), QStringLiteral("行政太郎")));

        VERIFY_RAN(run(QStringLiteral("dpkg"),
                       {dpkgRoot, QStringLiteral("--purge"), QStringLiteral("mivo")}));
        for (const QString& file : filesUnder(root)) {
            QVERIFY2(file.startsWith(u"var/lib/dpkg/") &&
                         !file.startsWith(u"var/lib/dpkg/info/mivo."),
                     qPrintable(file + QStringLiteral(" was left behind")));
        }
        QVERIFY(!QDir(root + QStringLiteral("/usr")).exists());
    }
};

QTEST_GUILESS_MAIN(PackageTest)
#include "package_test.moc"
