#include "app/recent_cases.h"

#include <QSettings>
#include <QStringList>

namespace mivo {
namespace {

const QString kListKey = QStringLiteral("cases/recent");
const QString kDatabaseKey = QStringLiteral("cases/recentDatabase");
const QString kReopenKey = QStringLiteral("cases/reopenLast");

QSettings settings() { return QSettings(QStringLiteral("mivo"), QStringLiteral("mivo")); }

} // namespace

QList<RecentCases::Entry> RecentCases::entries() const {
    QList<Entry> entries;
    if (settings().value(kDatabaseKey).toString() != database_)
        return entries;
    for (const QString& line : settings().value(kListKey).toStringList()) {
        bool ok = false;
        const qint64 id = line.section(u'\t', 0, 0).toLongLong(&ok);
        if (ok && id > 0 && entries.size() < kCount)
            entries.append({id, line.section(u'\t', 1)});
    }
    return entries;
}

void RecentCases::add(qint64 id, const QString& name) {
    QList<Entry> list = entries();
    list.removeIf([id](const Entry& entry) { return entry.id == id; });
    list.prepend({id, name});
    write(list.mid(0, kCount));
}

void RecentCases::forget(qint64 id) {
    QList<Entry> list = entries();
    if (list.removeIf([id](const Entry& entry) { return entry.id == id; }) > 0)
        write(list);
}

void RecentCases::write(const QList<Entry>& entries) {
    QStringList lines;
    for (const Entry& entry : entries)
        lines << QStringLiteral("%1\t%2").arg(entry.id).arg(entry.name);
    QSettings s = settings();
    s.setValue(kDatabaseKey, database_);
    s.setValue(kListKey, lines);
}

bool RecentCases::reopenLast() { return settings().value(kReopenKey, true).toBool(); }

void RecentCases::setReopenLast(bool reopen) { settings().setValue(kReopenKey, reopen); }

} // namespace mivo
