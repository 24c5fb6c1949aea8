#include "private_cups_scheduler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QStringList kSystemBinaries = {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                     QStringLiteral("/usr/bin")};
// Where Debian keeps cups-exec, the filters and the other helpers the scheduler runs.
const QString kSystemServerBin = QStringLiteral("/usr/lib/cups");
const QString kBackend = QStringLiteral("mivo-capture");

QString findTool(const QString& name) {
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? QStandardPaths::findExecutable(name, kSystemBinaries) : onPath;
}

// A port of 127.0.0.1 that nothing listens on right now.
quint16 freeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    quint16 port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool acceptsConnections(quint16 port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    const bool connected =
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

bool writeFile(const QString& path, const QByteArray& text, QFile::Permissions permissions) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text) == text.size() && file.setPermissions(permissions);
}

} // namespace

PrivateCupsScheduler::PrivateCupsScheduler() : port_(freeLoopbackPort()) {
    // Wins over any client.conf of the machine or the user.
    qputenv("CUPS_SERVER", server().toUtf8());
}

PrivateCupsScheduler::~PrivateCupsScheduler() { stop(); }

QString PrivateCupsScheduler::whyUnavailable() {
    if (::geteuid() != 0)
        return QStringLiteral("a private CUPS scheduler needs root (it runs its backend as root)");
    for (const char* tool : {"cupsd", "lpadmin", "lpstat", "cupsaccept"}) {
        if (findTool(QLatin1String(tool)).isEmpty())
            return QStringLiteral("%1 is not installed (scripts/install-deps installs CUPS)")
                .arg(QLatin1String(tool));
    }
    if (!QFile::exists(kSystemServerBin + QStringLiteral("/daemon/cups-exec")))
        return QStringLiteral("%1/daemon/cups-exec is missing").arg(kSystemServerBin);
    return {};
}

QString PrivateCupsScheduler::server() const { return QStringLiteral("localhost:%1").arg(port_); }

QString PrivateCupsScheduler::path(const QString& relative) const {
    return root_->filePath(relative);
}

bool PrivateCupsScheduler::fail(const QString& what) {
    error_ = what;
    if (root_) {
        QFile log(path(QStringLiteral("log/error_log")));
        if (log.open(QIODevice::ReadOnly))
            error_ += QStringLiteral("\n--- end of cupsd's error_log ---\n") +
                      QString::fromUtf8(log.readAll().right(3000));
    }
    return false;
}

bool PrivateCupsScheduler::writeConfiguration() {
    root_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/mivo-cups-XXXXXX"));
    if (!root_->isValid())
        return fail(QStringLiteral("cannot make a temporary folder: ") + root_->errorString());
    // The scheduler's helpers run as the lp user and must reach their folders.
    QFile::setPermissions(root_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                             QFile::ExeOther);
    QDir dir(root_->path());
    for (const char* sub : {"etc/ppd", "log", "spool/tmp", "cache", "run", "jobs", "bin/backend"}) {
        if (!dir.mkpath(QLatin1String(sub)))
            return fail(QStringLiteral("cannot make %1").arg(path(QLatin1String(sub))));
    }
    // Our own ServerBin: the system's helpers, and a backends folder that holds only ours.
    for (const char* helper : {"daemon", "filter", "cgi-bin", "notifier", "monitor", "driver"}) {
        QFile::link(kSystemServerBin + QLatin1Char('/') + QLatin1String(helper),
                    path(QStringLiteral("bin/") + QLatin1String(helper)));
    }

    // A backend called with no arguments lists its devices; for a job it gets the job id first
    // and the file sixth (or the data on standard input). The rename makes a saved job appear
    // complete or not at all. Mode 0700 makes the scheduler run it as root.
    const QByteArray backend = QStringLiteral(R"(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct %1 "Unknown" "Mivo test capture"'; exit 0; fi
out="%2/job-$1.pdf"
if [ -n "$6" ]; then cp "$6" "$out.part"; else cat > "$out.part"; fi || exit 1
mv "$out.part" "$out"
)")
                                   .arg(kBackend, path(QStringLiteral("jobs")))
                                   .toUtf8();
    if (!writeFile(path(QStringLiteral("bin/backend/")) + kBackend, backend,
                   QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return fail(QStringLiteral("cannot write the capture backend"));

    const QByteArray cupsd = QStringLiteral(R"(Listen 127.0.0.1:%1
ServerName localhost
LogLevel info
Browsing No
WebInterface No
DefaultPolicy open
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy open>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)")
                                 .arg(port_)
                                 .toUtf8();
    const QByteArray files = QStringLiteral(R"(ServerRoot %1/etc
StateDir %1/run
CacheDir %1/cache
RequestRoot %1/spool
TempDir %1/spool/tmp
ServerBin %1/bin
AccessLog %1/log/access_log
ErrorLog %1/log/error_log
PageLog %1/log/page_log
Printcap %1/run/printcap
)")
                                 .arg(root_->path())
                                 .toUtf8();
    const auto readWrite = QFile::ReadOwner | QFile::WriteOwner;
    if (!writeFile(path(QStringLiteral("etc/cupsd.conf")), cupsd, readWrite) ||
        !writeFile(path(QStringLiteral("etc/cups-files.conf")), files, readWrite))
        return fail(QStringLiteral("cannot write the scheduler's configuration"));
    return true;
}

bool PrivateCupsScheduler::start() {
    if (isRunning())
        return true;
    if (port_ == 0)
        return fail(QStringLiteral("no free port on 127.0.0.1"));
    if (!root_ && !writeConfiguration())
        return false;

    cupsd_.setProgram(findTool(QStringLiteral("cupsd")));
    cupsd_.setArguments({QStringLiteral("-f"), QStringLiteral("-c"),
                         path(QStringLiteral("etc/cupsd.conf")), QStringLiteral("-s"),
                         path(QStringLiteral("etc/cups-files.conf"))});
    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    // Should the test die without stopping it, the scheduler goes with it.
    cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_.start();
    if (!cupsd_.waitForStarted(5000))
        return fail(QStringLiteral("cannot start cupsd: ") + cupsd_.errorString());

    const QDeadlineTimer deadline(10000);
    while (!acceptsConnections(port_)) {
        if (cupsd_.state() != QProcess::Running)
            return fail(QStringLiteral("cupsd ended at once: ") +
                        QString::fromLocal8Bit(cupsd_.readAll()));
        if (deadline.hasExpired()) {
            stop();
            return fail(QStringLiteral("cupsd does not listen on port %1").arg(port_));
        }
        QThread::msleep(20);
    }
    return true;
}

void PrivateCupsScheduler::stop() {
    if (cupsd_.state() == QProcess::NotRunning)
        return;
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(10000)) {
        cupsd_.kill();
        cupsd_.waitForFinished(5000);
    }
}

bool PrivateCupsScheduler::isRunning() const { return cupsd_.state() == QProcess::Running; }

bool PrivateCupsScheduler::run(const QString& program, const QStringList& arguments,
                               QString* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(findTool(program), QStringList{QStringLiteral("-h"), server()} + arguments);
    const bool finished = process.waitForFinished(20000);
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = text;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return fail(QStringLiteral("%1 %2 failed: %3").arg(program, arguments.join(' '), text));
    return true;
}

bool PrivateCupsScheduler::addCaptureQueue(const QString& name, bool makeDefault) {
    // "-m raw": no filters, the job's file reaches the backend as the program made it.
    if (!run(QStringLiteral("lpadmin"),
             {QStringLiteral("-p"), name, QStringLiteral("-v"), kBackend + QStringLiteral(":/"),
              QStringLiteral("-m"), QStringLiteral("raw"), QStringLiteral("-E")}))
        return false;
    return !makeDefault || run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
}

bool PrivateCupsScheduler::removeQueue(const QString& name) {
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name});
}

bool PrivateCupsScheduler::setAccepting(const QString& name, bool accepting) {
    return run(accepting ? QStringLiteral("cupsaccept") : QStringLiteral("cupsreject"), {name});
}

bool PrivateCupsScheduler::setStopped(const QString& name, bool stopped) {
    return run(stopped ? QStringLiteral("cupsdisable") : QStringLiteral("cupsenable"), {name});
}

QStringList PrivateCupsScheduler::unfinishedJobs() {
    QString listing;
    if (!run(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &listing))
        return {QStringLiteral("(lpstat failed)")};
    return listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool PrivateCupsScheduler::waitUntilIdle(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!unfinishedJobs().isEmpty()) {
        if (deadline.hasExpired())
            return fail(QStringLiteral("jobs still unfinished: ") + unfinishedJobs().join(", "));
        QThread::msleep(50);
    }
    return true;
}

QList<QByteArray> PrivateCupsScheduler::jobFiles() const {
    QList<QByteArray> jobs;
    if (!root_)
        return jobs;
    const QDir dir(path(QStringLiteral("jobs")));
    QStringList names = dir.entryList({QStringLiteral("job-*.pdf")}, QDir::Files);
    // job-9.pdf before job-10.pdf
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.mid(4).chopped(4).toInt() < b.mid(4).chopped(4).toInt();
    });
    for (const QString& name : names) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            jobs.append(file.readAll());
    }
    return jobs;
}

void PrivateCupsScheduler::removeJobFiles() {
    if (!root_)
        return;
    QDir dir(path(QStringLiteral("jobs")));
    for (const QString& name : dir.entryList(QDir::Files))
        dir.remove(name);
}
