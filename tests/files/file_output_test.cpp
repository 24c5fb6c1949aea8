#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/file_output.h"
#include "document/regular_file.h"
#include "print/output.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace mivo;

namespace {

const QByteArray kOld = "the old file, which must survive\n";

QByteArray contents(const QByteArray& path) {
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Run as root in a mount namespace of its own: a 64 KiB tmpfs over `folder`, an old PDF and
// PNG on it, then the rest filled. Every writer is tried on the full disk; one line each:
// what | written (1/0) | old file intact (1/0) | message. Then the names left in the folder.
int fullDiskChild(const QByteArray& folder) {
    if (::mount("mivo-test", folder.constData(), "tmpfs", 0, "size=64k") != 0) {
        std::perror("mount");
        return 2;
    }
    const QByteArray pdf = folder + "/out.pdf", png = folder + "/out.png";
    if (!writeWholeFile(pdf, kOld).ok() || !writeWholeFile(png, kOld).ok())
        return 3;
    const int filler = ::open((folder + "/filler").constData(), O_WRONLY | O_CREAT, 0600);
    const QByteArray block(4096, 'f');
    while (::write(filler, block.constData(), size_t(block.size())) > 0) {
    }
    ::close(filler);

    const auto report = [](const char* what, bool written, const QByteArray& path,
                           const QString& message) {
        std::printf("%s|%d|%d|%s\n", what, written, contents(path) == kOld,
                    message.toUtf8().constData());
    };
    const FileWrite direct = writeWholeFile(pdf, QByteArray(100 * 1024, 'x'));
    report("writer", direct.ok(), pdf, direct.error);
    CurrentDocument document;
    document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
    const PrintOutcome asPdf = output(Destination::pdf(pdf), document);
    report("pdf", !asPdf.failed(), pdf, asPdf.reason);
    const PrintOutcome asPng = output(Destination::image(png, "PNG", 30), document);
    report("png", !asPng.failed(), png, asPng.reason);
    std::printf("left|%s\n",
                qPrintable(QDir(QFile::decodeName(folder))
                               .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                               .join(u',')));
    return 0;
}

} // namespace

class FileOutputTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QByteArray path(const char* name) const { return QFile::encodeName(dir_.path()) + '/' + name; }

  private slots:
    // A full disk: every writer reports the failure, the old file stays as it was and no
    // half-written file is left. Small files are the case Qt's own saving got wrong: they
    // fit its buffer, so the write "succeeds" and only the final flush fails.
    void fullDisk() {
        if (::geteuid() != 0)
            QSKIP("needs root for a private tmpfs");
        const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
        if (unshare.isEmpty())
            QSKIP("needs unshare(1)");
        QTemporaryDir mountPoint;
        QProcess child;
        child.start(unshare, {QStringLiteral("--mount"), QStringLiteral("--propagation"),
                              QStringLiteral("private"), QCoreApplication::applicationFilePath(),
                              QStringLiteral("--full-disk-child"), mountPoint.path()});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray output = child.readAllStandardOutput();
        QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
        const QList<QByteArray> lines = output.trimmed().split('\n');
        QCOMPARE(lines.size(), 4);
        for (const QByteArray& line : lines.first(3)) {
            const QList<QByteArray> part = line.split('|');
            QVERIFY2(part.size() == 4 && part[1] == "0", line.constData());
            QVERIFY2(part[2] == "1", line.constData());
            QVERIFY2(QString::fromUtf8(part[3]).contains(QStringLiteral("空きが足りません")),
                     line.constData());
        }
        QCOMPARE(lines.last(), "left|filler,out.pdf,out.png");
    }

    // Standard output on a full device (a trace redirected to a full disk).
    void fullStandardOutput() {
        const int fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            QSKIP("no /dev/full");
        const QString error = writeAll(fd, "trace\n", QStringLiteral("標準出力"));
        ::close(fd);
        QVERIFY2(error.contains(QStringLiteral("空きが足りません")), qPrintable(error));
    }

    // What is at the path decides: a FIFO is refused, not replaced (nor waited on); an
    // existing file is kept when asked to; a name that is not UTF-8 is written as given.
    void whatIsAtThePath() {
        const QByteArray fifo = path("out.pdf");
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        const FileWrite toFifo = writeWholeFile(fifo, "x");
        QVERIFY(!toFifo.ok());
        QVERIFY2(toFifo.error.contains(QStringLiteral("ふつうのファイルではない")),
                 qPrintable(toFifo.error));
        struct stat status {};
        QVERIFY(::stat(fifo.constData(), &status) == 0 && S_ISFIFO(status.st_mode));

        const QByteArray existing = path("map.bmp");
        QVERIFY(writeWholeFile(existing, kOld).ok());
        QVERIFY(::stat(existing.constData(), &status) == 0);
        QCOMPARE(status.st_mode & 0777, 0600u); // names and addresses: the owner's only
        QCOMPARE(writeWholeFile(existing, "new", IfExists::Keep).status, FileWrite::Status::Exists);
        QCOMPARE(contents(existing), kOld);

        const QByteArray latin1 = path("\xff\xfe.pdf");
        QVERIFY(writeWholeFile(latin1, kOld).ok());
        QVERIFY(::access(latin1.constData(), F_OK) == 0);
        ::unlink(latin1.constData()); // QTemporaryDir cannot remove such a name
    }

    // In a sticky, world-writable folder (/tmp) a link is followed only where the kernel would:
    // one of the user's own leads to its file, which keeps its mode; another user's is refused.
    void linksInStickyFolders() {
        const QByteArray shared = path("shared");
        QCOMPARE(::mkdir(shared.constData(), 0777), 0);
        QCOMPARE(::chmod(shared.constData(), 01777), 0);
        const QByteArray target = path("target.pdf");
        QVERIFY(writeWholeFile(target, kOld).ok());
        QCOMPARE(::chmod(target.constData(), 0640), 0);

        const QByteArray own = shared + "/own.pdf";
        QCOMPARE(::symlink(target.constData(), own.constData()), 0);
        QVERIFY(writeWholeFile(own, "mine").ok());
        QCOMPARE(contents(target), QByteArray("mine"));
        struct stat status {};
        QVERIFY(::lstat(own.constData(), &status) == 0 && S_ISLNK(status.st_mode));
        QVERIFY(::stat(target.constData(), &status) == 0);
        QCOMPARE(status.st_mode & 0777, 0640u);

        const QByteArray foreign = shared + "/foreign.pdf";
        QCOMPARE(::symlink(target.constData(), foreign.constData()), 0);
        const uid_t other = ::geteuid() == 0 ? 65534 : ::geteuid();
        if (::lchown(foreign.constData(), other, gid_t(-1)) != 0 || other == ::geteuid())
            QSKIP("a link of another user needs root to make");
        const FileWrite refused = writeWholeFile(foreign, "theirs");
        QVERIFY(!refused.ok());
        QVERIFY2(refused.error.contains(QStringLiteral("シンボリックリンク")),
                 qPrintable(refused.error));
        QCOMPARE(contents(target), QByteArray("mine"));
    }

    // A values file: at most 1 MiB, and the message says so.
    void readLimit() {
        const QByteArray file = path("values.json");
        QVERIFY(writeWholeFile(file, QByteArray(kValuesFileLimit, ' ')).ok());
        QVERIFY(readRegularFile(file, kValuesFileLimit).ok());
        QVERIFY(writeWholeFile(file, QByteArray(kValuesFileLimit + 1, ' ')).ok());
        const FileContents tooLarge = readRegularFile(file, kValuesFileLimit);
        QVERIFY(tooLarge.data.isEmpty());
        QVERIFY2(tooLarge.error.contains(QStringLiteral("1 MB まで")), qPrintable(tooLarge.error));
    }
};

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--full-disk-child") == 0)
        return fullDiskChild(argv[2]);
    FileOutputTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "file_output_test.moc"
