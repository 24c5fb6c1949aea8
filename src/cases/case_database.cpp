#include "cases/case_database.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace mivo {
namespace {

const QString kPostgresKey = QStringLiteral("cases/postgresql");
const QString kKeepKey = QStringLiteral("cases/keep");

// The program's settings file (~/.config/mivo/mivo.conf), whichever program reads it.
QSettings settings() { return QSettings(QStringLiteral("mivo"), QStringLiteral("mivo")); }

QVariant setting(const QString& key, const QVariant& fallback = {}) {
    return settings().value(key, fallback);
}

CaseDatabase postgres(const QString& connection) {
    CaseDatabase where{CaseDatabase::Kind::Postgres, connection, {}};
    static const QRegularExpression password(QStringLiteral("(^|\\s)password\\s*="));
    if (connection.contains(password)) {
        where.error = QStringLiteral("接続文字列にパスワードを書かないでください。"
                                     "パスワードは ~/.pgpass に書いてください。");
    }
    return where;
}

} // namespace

CaseDatabase CaseDatabase::fromArgument(const QString& argument) {
    if (argument.contains(u'='))
        return postgres(argument);
    return {Kind::Sqlite, argument, {}};
}

CaseDatabase CaseDatabase::fromSettings() {
    const QString server = setting(kPostgresKey).toString().trimmed();
    if (server.isEmpty())
        return {Kind::Sqlite, defaultSqliteFile(), {}};
    return postgres(server.contains(u'=') ? server : QStringLiteral("service=") + server);
}

QString CaseDatabase::defaultSqliteFile() {
    // The same file for every program of the suite, whatever its own name.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("mivo/cases.sqlite"));
}

bool keepingEnabled() { return setting(kKeepKey, true).toBool(); }

void setKeepingEnabled(bool keep) { settings().setValue(kKeepKey, keep); }

} // namespace mivo
