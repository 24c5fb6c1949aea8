#include "private_postgres_server.h"

#include <QDir>
#include <QProcess>

#include <pwd.h>
#include <unistd.h>

namespace {

QString serverPrograms() {
    const QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (auto it = versions.rbegin(); it != versions.rend(); ++it) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(*it);
        if (QFile::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    return {};
}

} // namespace

PrivatePostgresServer::PrivatePostgresServer(bool durable)
    : root_(std::make_unique<QTemporaryDir>()), durable_(durable) {}

PrivatePostgresServer::~PrivatePostgresServer() {
    if (running_)
        stop();
}

QString PrivatePostgresServer::whyUnavailable() {
    if (serverPrograms().isEmpty())
        return QStringLiteral(
            "PostgreSQL's server programs are not installed (scripts/install-deps)");
    if (geteuid() == 0 && !getpwnam("postgres"))
        return QStringLiteral("running as root and there is no postgres user to run the server");
    return {};
}

bool PrivatePostgresServer::run(const QStringList& command) {
    QStringList full = command;
    full[0] = serverPrograms() + u'/' + full[0];
    if (geteuid() == 0)
        full = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} +
               full;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(geteuid() == 0 ? QStringLiteral("runuser") : full.takeFirst(), full);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        error_ =
            command.join(u' ') + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}

bool PrivatePostgresServer::start() {
    const QString data = root_->filePath(QStringLiteral("data"));
    if (!initialised_) {
        if (geteuid() == 0 && QProcess::execute(QStringLiteral("chown"),
                                                {QStringLiteral("postgres"), root_->path()}) != 0) {
            error_ = QStringLiteral("chown postgres failed");
            return false;
        }
        if (!run({QStringLiteral("initdb"), QStringLiteral("-D"), data, QStringLiteral("-A"),
                  QStringLiteral("trust"), QStringLiteral("-U"), QStringLiteral("postgres"),
                  QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--no-sync")}))
            return false;
        initialised_ = true;
    }
    running_ =
        run({QStringLiteral("pg_ctl"), QStringLiteral("-D"), data, QStringLiteral("-l"),
             root_->filePath(QStringLiteral("log")), QStringLiteral("-o"),
             QStringLiteral("-k %1 -c listen_addresses='' -c fsync=%2")
                 .arg(root_->path(), durable_ ? QStringLiteral("on") : QStringLiteral("off")),
             QStringLiteral("-w"), QStringLiteral("start")});
    return running_;
}

bool PrivatePostgresServer::stop() {
    running_ = false;
    return run({QStringLiteral("pg_ctl"), QStringLiteral("-D"),
                root_->filePath(QStringLiteral("data")), QStringLiteral("-m"),
                QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")});
}

QString PrivatePostgresServer::connection() const {
    return QStringLiteral("host=%1 dbname=postgres user=postgres").arg(root_->path());
}
