#include "cases/case_store.h"

#include "cases/case_documents.h"
#include "cases/case_register.h"
#include "cases/case_schema.h"
#include "cases/case_search.h"
#include "document/regular_file.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace mivo {
namespace {

QString newConnectionName() {
    static QAtomicInteger<int> counter;
    return QStringLiteral("mivo-cases-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString valuesJson(const Case::Values& values) {
    QJsonArray array;
    for (const QString& value : values)
        array.append(value);
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

Case::Values valuesFromJson(const QString& text) {
    Case::Values values;
    const QJsonArray array = QJsonDocument::fromJson(text.toUtf8()).array();
    for (qsizetype i = 0; i < array.size() && i < qsizetype(values.size()); ++i)
        values[size_t(i)] = array[i].toString();
    return values;
}

QString particularsJson(const Particulars& particulars) {
    return QString::fromUtf8(QJsonDocument(particulars.toJson()).toJson(QJsonDocument::Compact));
}

Particulars particularsFromJson(const QString& text) {
    return Particulars::fromJson(QJsonDocument::fromJson(text.toUtf8()).object());
}

// A null text would be bound as NULL.
QString text(const QString& s) { return s.isNull() ? QStringLiteral("") : s; }

QDateTime fromMs(const QVariant& ms) { return QDateTime::fromMSecsSinceEpoch(ms.toLongLong()); }

// PostgreSQL reads a text array from its literal; the grams are plain ASCII words.
QString arrayLiteral(const QStringList& words) { return u'{' + words.join(u',') + u'}'; }

const QString kReadOnly = QStringLiteral(
    "案件のデータベースは新しい版のプログラムで作られたため、読むだけにしています。");
const QString kDamaged = QStringLiteral(
    "案件のファイル %1 は壊れているか、案件のデータベースではありません。そのままにして"
    "あります。別の場所に移してから起動し直してください。");
const QString kFull = QStringLiteral("ディスクの空きが足りないため、案件を保存できません。"
                                     "空きを作ってください。");

// SQLite's result codes (the low byte of an extended one).
constexpr int kSqliteBusy = 5, kSqliteLocked = 6, kSqliteReadOnly = 8, kSqliteCorrupt = 11,
              kSqliteFull = 13, kSqliteNotADatabase = 26;

CaseStore::Trouble troubleOf(const QSqlError& error) {
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case kSqliteCorrupt:
    case kSqliteNotADatabase:
        return CaseStore::Trouble::Damaged;
    case kSqliteBusy:
    case kSqliteLocked:
        return CaseStore::Trouble::Locked;
    case kSqliteFull:
        return CaseStore::Trouble::Full;
    default:
        return CaseStore::Trouble::Other;
    }
}

// "08:01:123456", as /proc/locks names the file at `path`.
QByteArray lockId(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return QStringLiteral("%1:%2:%3")
        .arg(major(status.st_dev), 2, 16, QChar(u'0'))
        .arg(minor(status.st_dev), 2, 16, QChar(u'0'))
        .arg(quint64(status.st_ino))
        .toLatin1();
}

// Another process that holds a lock on the database or its WAL index, when the system says.
qint64 lockHolder(const QString& path) {
    const QByteArray ids[] = {lockId(path), lockId(path + QStringLiteral("-shm"))};
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    // "1: POSIX  ADVISORY  WRITE 1234 08:01:123456 1073741824 1073741825"
    while (!locks.atEnd()) {
        const QList<QByteArray> words = locks.readLine(4096).simplified().split(' ');
        if (words.size() < 6 || words[3] != "WRITE")
            continue;
        const qint64 pid = words[4].toLongLong();
        if (pid != ::getpid() && std::ranges::find(ids, words[5]) != std::end(ids) &&
            !words[5].isEmpty())
            return pid;
    }
    return 0;
}

QString busyMessage(const QString& path) {
    const qint64 holder = lockHolder(path);
    return QStringLiteral(
               "案件のデータベースは別のプログラム%1が使っていて、%2 秒待っても空きません"
               "でした。しばらくしてからやり直してください。")
        .arg(holder > 0 ? QStringLiteral("（プロセス %1）").arg(holder) : QString())
        .arg(CaseStore::kBusyWaitMs / 1000);
}

const QString kReadWrite = QStringLiteral("案件のデータベースを読み書きできません。");
const QString kNotSaved = QStringLiteral("案件を保存できません。");

// Whether a failed statement means the server connection is gone: Qt's own verdict, the
// SQLSTATE classes of a lost or closing connection, or an error of the client library itself,
// which has no SQLSTATE.
bool connectionBroke(const QSqlError& error) {
    if (error.type() == QSqlError::ConnectionError)
        return true;
    if (error.type() == QSqlError::NoError)
        return false;
    const QString state = error.nativeErrorCode();
    return state.isEmpty() || state.startsWith(u"08") || state.startsWith(u"57P");
}

// What a save writes besides the name, the times and the revision, shared by INSERT and
// UPDATE; PostgreSQL keeps the search grams in the row.
struct SavedColumn {
    const char* name;
    const char* placeholder;
};
constexpr SavedColumn kSavedColumns[] = {
    {"field_values", "?"},    {"registration_number", "?"}, {"fit_location_map", "?"},
    {"fit_layout_map", "?"},  {"location_marks", "?"},      {"site_plan", "?"},
    {"print_site_plan", "?"}, {"particulars", "?"},         {"search_text", "?"},
    {"grams", "?::text[]"}, // PostgreSQL only: the last
};

std::span<const SavedColumn> savedColumns(bool sqlite) {
    return std::span(kSavedColumns).first(std::size(kSavedColumns) - (sqlite ? 1 : 0));
}

QVariantList savedValues(const Case& c, const QString& search, bool sqlite) {
    QVariantList values{valuesJson(c.values), text(c.registrationNumber),     c.fitLocationMap,
                        c.fitLayoutMap,       text(c.locationMarks),          text(c.sitePlan),
                        c.printSitePlan,      particularsJson(c.particulars), text(search)};
    if (!sqlite)
        values << arrayLiteral(searchGrams(search));
    return values;
}

// The columns that summaries() reads.
const QString kSummaryColumns = QStringLiteral(
    "SELECT id, name, created, changed, field_values, registration_number, "
    "EXISTS (SELECT 1 FROM case_maps WHERE case_id = cases.id) OR site_plan <> '', deleted, "
    "particulars, location_marks");

// The value that shows why a search found the case: a field first, then the registration
// number, then the particulars.
void showMatch(CaseSummary& summary, const Case::Values& values, const QString& registration,
               const QString& particulars, const SearchQuery& query) {
    QStringList candidates(values.begin(), values.end());
    candidates << registration;
    const Particulars typed = particularsFromJson(particulars);
    for (const ParticularInfo& info : particularInfos())
        candidates << typed.value(info.particular);
    for (const QString& value : candidates) {
        if (value.isEmpty())
            continue;
        if (const SearchHit hit = findInValue(value, query); hit.found()) {
            summary.matched = value;
            summary.matchedStart = hit.start;
            summary.matchedLength = hit.length;
            return;
        }
    }
}

} // namespace

CaseStore::CaseStore(const CaseDatabase& where) : location_(where.target) {
    if (!where.ok()) {
        error_ = where.error;
        return;
    }
    const bool opened = where.kind == CaseDatabase::Kind::Sqlite ? openSqlite(where.target)
                                                                 : openPostgres(where.target);
    if (!opened || !migrate())
        db_.close();
}

CaseStore::~CaseStore() {
    const QString name = db_.connectionName();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

bool CaseStore::isSqlite() const { return db_.driverName() == u"QSQLITE"; }

bool CaseStore::fail(const QString& message, const QSqlError& error) {
    const QString detail = error.databaseText();
    error_ = detail.isEmpty() ? message : QStringLiteral("%1（%2）").arg(message, detail);
    if (!isSqlite() && connectionBroke(error))
        lost_ = true;
    return false;
}

bool CaseStore::createSqlite(const QString& path) {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return fail(
            QStringLiteral("案件を保存するフォルダ %1 を作れません。").arg(info.absolutePath()));
    // The values are personal data: the file is its owner's alone from the first byte.
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return true;
    trouble_ = errno == ENOSPC || errno == EDQUOT ? Trouble::Full : Trouble::Other;
    return fail(QStringLiteral("%1（%2）")
                    .arg(trouble_ == Trouble::Full
                             ? kFull
                             : QStringLiteral("案件のファイル %1 を作れません。").arg(path),
                         file.errorString()));
}

bool CaseStore::openSqlite(const QString& path) {
    if (!QFileInfo::exists(path) && !createSqlite(path))
        return false;
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    // A FIFO or a device would block every tool in open(): judged without waiting.
    QFile probe;
    if (!openRegularFile(probe, QFile::encodeName(path)).isEmpty()) {
        trouble_ = info.isReadable() ? Trouble::Damaged : Trouble::Other;
        return fail(trouble_ == Trouble::Damaged
                        ? QStringLiteral("案件のファイル %1 はふつうのファイルではありません。"
                                         "別の場所に移すか、別のファイルを指定してください。")
                              .arg(shown)
                        : QStringLiteral("案件のファイル %1 を読めません。ファイルの権限を確かめて"
                                         "ください。")
                              .arg(shown));
    }
    probe.close();

    // A read-only look first: a file that is not a sound database is left exactly as found.
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), newConnectionName());
    db_.setDatabaseName(path);
    db_.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyWaitMs));
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    const bool folderWritable = ::access(folder.constData(), W_OK) == 0;
    bool opened = db_.open();
    // In a folder the user may only read, a WAL database cannot make its index file: it is
    // read as a file that does not change (a read-only mount, a backup).
    if (!folderWritable && (!opened || !QSqlQuery(db_).exec(QStringLiteral("SELECT 1 FROM "
                                                                           "sqlite_master")))) {
        db_.close();
        QUrl uri = QUrl::fromLocalFile(info.absoluteFilePath());
        uri.setQuery(QStringLiteral("immutable=1"));
        db_.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db_.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
        opened = db_.open();
    }
    if (!opened)
        return failSqlite(db_.lastError(), shown);
    if (!looksSound(shown))
        return false;
    // A file the user may only read (0400, a read-only mount, a backup) is read as it is.
    if (::access(QFile::encodeName(path).constData(), W_OK) != 0 || !folderWritable) {
        readOnly_ = true;
        readOnlyMessage_ = QStringLiteral("案件のファイル %1 は読み取り専用なので、一覧と表示だけが"
                                          "できます。保存するには、ファイルとフォルダを書き込める"
                                          "ようにしてください。")
                               .arg(shown);
        return true;
    }
    db_.close();

    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyWaitMs));
    if (!db_.open())
        return failSqlite(db_.lastError(), shown);
    // WAL lets readers go on while one desk writes; FULL makes each save reach the disk.
    return exec(QStringLiteral("PRAGMA journal_mode = WAL")) &&
           exec(QStringLiteral("PRAGMA synchronous = FULL"));
}

// Whether the file is a database whose pages pass SQLite's own check.
bool CaseStore::looksSound(const QString& shownPath) {
    QSqlQuery check(db_);
    if (!check.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) ||
        !check.exec(QStringLiteral("PRAGMA quick_check(1)")))
        return failSqlite(check.lastError(), shownPath);
    if (check.next() && check.value(0).toString() == u"ok")
        return true;
    trouble_ = Trouble::Damaged;
    return fail(kDamaged.arg(shownPath));
}

// A failure of SQLite in words that tell damage, a lock, a full disk and the rest apart;
// only damage gets the advice to move the file away.
bool CaseStore::failSqlite(const QSqlError& error, const QString& shownPath) {
    trouble_ = troubleOf(error);
    switch (trouble_) {
    case Trouble::Damaged:
        return fail(kDamaged.arg(shownPath));
    case Trouble::Locked:
        return fail(busyMessage(location_));
    case Trouble::Full:
        return fail(kFull);
    default:
        if (error.nativeErrorCode().toInt() == kSqliteReadOnly)
            return fail(readOnlyMessage_.isEmpty() ? kReadOnly : readOnlyMessage_);
        return fail(QStringLiteral("案件のファイル %1 を読み書きできません。").arg(shownPath),
                    error);
    }
}

bool CaseStore::openPostgres(const QString& connection) {
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), newConnectionName());
    QString options = connection;
    if (!options.contains(QStringLiteral("connect_timeout")))
        options += QStringLiteral(" connect_timeout=5");
    db_.setConnectOptions(options);
    if (!db_.open())
        return fail(QStringLiteral("案件のサーバーに接続できません。サーバーと設定 "
                                   "cases/postgresql を確かめてください。"),
                    db_.lastError());
    return true;
}

bool CaseStore::reconnectIfLost() {
    if (!lost_)
        return db_.isOpen();
    db_.close();
    if (!db_.open())
        return fail(QStringLiteral("案件のサーバーに接続できません。"), db_.lastError());
    lost_ = false;
    return true;
}

std::optional<QSqlQuery> CaseStore::run(const QString& sql, const QVariantList& binds,
                                        const QString& failure) {
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    // PostgreSQL cannot prepare BEGIN and the like: a statement without values runs as it is.
    bool ran;
    if (binds.isEmpty()) {
        ran = query.exec(sql);
    } else {
        ran = query.prepare(sql);
        for (const QVariant& bind : binds)
            query.addBindValue(bind);
        ran = ran && query.exec();
    }
    if (!ran) {
        if (isSqlite() && troubleOf(query.lastError()) != Trouble::Other)
            failSqlite(query.lastError(), location_);
        else
            fail(failure.isEmpty() ? kReadWrite : failure, query.lastError());
        return std::nullopt;
    }
    return query;
}

bool CaseStore::begin() {
    return reconnectIfLost() &&
           exec(isSqlite() ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
}

bool CaseStore::commit() { return exec(QStringLiteral("COMMIT")) || rollback(); }

bool CaseStore::writable() {
    if (readOnly_)
        return fail(readOnlyMessage_.isEmpty() ? kReadOnly : readOnlyMessage_);
    return true;
}

// A database opened only to read cannot be brought up to date: it is read if it needs nothing.
bool CaseStore::checkReadOnlyVersion() {
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("SELECT version FROM case_schema")) || !query.next() ||
        query.value(0).toInt() < knownSchemaVersion())
        return fail(
            QStringLiteral("%1 このファイルは古い版のプログラムで作られたため、書き込めるよう"
                           "にするまで読めません。")
                .arg(readOnlyMessage_));
    return true;
}

// Builds or brings up the tables in one transaction; a failure leaves the database as it was
// and says that the store could not be prepared.
bool CaseStore::migrate() {
    if (readOnly_)
        return checkReadOnlyVersion();
    const QString failure = QStringLiteral("案件のデータベースを使える状態にできません。");
    const auto step = [&](const QString& sql, const QVariantList& binds = {}) {
        return run(sql, binds, failure);
    };
    if (!reconnectIfLost() ||
        !step(isSqlite() ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN")))
        return false;
    // Two desks starting at once on a new server: one builds the tables, the other waits.
    if (!isSqlite() && (!step(QStringLiteral("SET LOCAL client_min_messages = warning")) ||
                        !step(QStringLiteral("SELECT pg_advisory_xact_lock(7101101)"))))
        return rollback();
    std::optional<QSqlQuery> version;
    if (!step(
            QStringLiteral("CREATE TABLE IF NOT EXISTS case_schema (version INTEGER NOT NULL)")) ||
        !(version = step(QStringLiteral("SELECT version FROM case_schema"))))
        return rollback();
    int from = 0;
    if (version->next())
        from = version->value(0).toInt();
    else if (!step(QStringLiteral("INSERT INTO case_schema (version) VALUES (0)")))
        return rollback();
    version.reset();
    if (from > knownSchemaVersion()) {
        readOnly_ = true;
        error_ = kReadOnly;
        return commit();
    }
    bool reindex = false;
    for (int n = from; n < knownSchemaVersion(); ++n) {
        const Migration& migration = migrations()[size_t(n)];
        for (const QString& sql : isSqlite() ? migration.sqlite : migration.postgres) {
            if (!step(sql))
                return rollback();
        }
        reindex = reindex || (from > 0 && migration.reindexSearch);
    }
    if (reindex && !reindexSearch())
        return rollback();
    if (!step(QStringLiteral("UPDATE case_schema SET version = ?"), {knownSchemaVersion()}))
        return rollback();
    return commit();
}

QList<CaseSummary> CaseStore::list(const QString& search, int limit) {
    QList<CaseSummary> cases;
    if (!reconnectIfLost())
        return cases;
    QString sql = kSummaryColumns + QStringLiteral(" FROM cases WHERE deleted IS NULL");
    QString order = QStringLiteral(" ORDER BY changed DESC, id DESC");
    QVariantList binds;
    const SearchQuery query = searchQuery(search);
    if (!query.isEmpty()) {
        if (isSqlite()) {
            sql = kSummaryColumns + QStringLiteral(" FROM case_grams JOIN cases ON "
                                                   "cases.search_key = case_grams.rowid WHERE "
                                                   "case_grams MATCH ? AND deleted IS NULL");
            order = QStringLiteral(" ORDER BY case_grams.rowid DESC");
            binds << query.grams.join(u' ');
        } else {
            sql += QStringLiteral(" AND grams @> ?::text[]");
            binds << arrayLiteral(query.grams);
        }
        for (const QString& word : query.words) {
            sql += isSqlite() ? QStringLiteral(" AND instr(search_text, ?) > 0")
                              : QStringLiteral(" AND strpos(search_text, ?) > 0");
            binds << word;
        }
    }
    binds << (limit < 0 ? std::numeric_limits<qint64>::max() : qint64(limit));

    return summaries(sql + order + QStringLiteral(" LIMIT ?"), binds,
                     query.isEmpty() ? nullptr : &query);
}

QList<CaseSummary> CaseStore::listTrash() {
    if (!reconnectIfLost())
        return {};
    return summaries(kSummaryColumns + QStringLiteral(" FROM cases WHERE deleted IS NOT NULL "
                                                      "ORDER BY deleted DESC, id DESC"),
                     {}, nullptr);
}

QList<CaseSummary> CaseStore::summaries(const QString& sql, const QVariantList& binds,
                                        const SearchQuery* query) {
    QList<CaseSummary> cases;
    std::optional<QSqlQuery> rows = run(sql, binds, QStringLiteral("案件の一覧を読めません。"));
    if (!rows)
        return cases;
    while (rows->next()) {
        const Case::Values values = valuesFromJson(rows->value(4).toString());
        const bool drawing = rows->value(6).toBool() || !rows->value(5).toString().isEmpty() ||
                             !rows->value(9).toString().isEmpty();
        CaseSummary summary;
        summary.id = rows->value(0).toLongLong();
        summary.name = rows->value(1).toString();
        summary.created = fromMs(rows->value(2));
        summary.changed = fromMs(rows->value(3));
        summary.documents = documentsWithValues(values, drawing);
        if (!rows->value(7).isNull())
            summary.deleted = fromMs(rows->value(7));
        if (query)
            showMatch(summary, values, rows->value(5).toString(), rows->value(8).toString(),
                      *query);
        cases.append(summary);
    }
    error_.clear();
    return cases;
}

std::optional<Case> CaseStore::load(qint64 id) {
    if (!reconnectIfLost())
        return std::nullopt;
    std::optional<QSqlQuery> row =
        run(QStringLiteral("SELECT name, named, created, changed, revision, field_values, "
                           "registration_number, particulars, fit_location_map, fit_layout_map, "
                           "printed, deleted, location_marks, site_plan, print_site_plan "
                           "FROM cases WHERE id = ?"),
            {id}, QStringLiteral("案件を読めません。"));
    if (!row)
        return std::nullopt;
    if (!row->next()) {
        error_ = QStringLiteral("案件 %1 はありません。").arg(id);
        return std::nullopt;
    }
    if (!row->value(11).isNull()) {
        error_ =
            QStringLiteral("案件 %1 はごみ箱にあります。元に戻してから開いてください。").arg(id);
        return std::nullopt;
    }
    Case c;
    c.id = id;
    c.name = row->value(0).toString();
    c.named = row->value(1).toBool();
    c.created = fromMs(row->value(2));
    c.changed = fromMs(row->value(3));
    c.revision = row->value(4).toLongLong();
    c.values = valuesFromJson(row->value(5).toString());
    c.registrationNumber = row->value(6).toString();
    c.particulars = particularsFromJson(row->value(7).toString());
    c.fitLocationMap = row->value(8).toBool();
    c.fitLayoutMap = row->value(9).toBool();
    const QJsonObject printed =
        QJsonDocument::fromJson(row->value(10).toString().toUtf8()).object();
    for (auto it = printed.begin(); it != printed.end(); ++it)
        c.printed.insert(it.key(), fromMs(it.value().toVariant()));
    c.locationMarks = row->value(12).toString();
    c.sitePlan = row->value(13).toString();
    c.printSitePlan = row->value(14).toBool();

    std::optional<QSqlQuery> maps =
        run(QStringLiteral("SELECT location, layout FROM case_maps WHERE case_id = ?"), {id},
            QStringLiteral("案件の地図を読めません。"));
    if (!maps)
        return std::nullopt;
    if (maps->next()) {
        c.locationMap = maps->value(0).toByteArray();
        c.layoutMap = maps->value(1).toByteArray();
    }
    error_.clear();
    return c;
}

QList<qint64> CaseStore::findByName(const QString& name) {
    QList<qint64> ids;
    if (!reconnectIfLost())
        return ids;
    std::optional<QSqlQuery> rows =
        run(QStringLiteral("SELECT id FROM cases WHERE name = ? AND deleted IS NULL "
                           "ORDER BY changed DESC"),
            {name}, QStringLiteral("案件を探せません。"));
    while (rows && rows->next())
        ids.append(rows->value(0).toLongLong());
    return ids;
}

bool CaseStore::writeSearch(qint64 id, const QString& text) {
    if (!isSqlite())
        return true; // the grams are a column of the case's row
    return exec(QStringLiteral("DELETE FROM case_grams WHERE rowid = "
                               "(SELECT search_key FROM cases WHERE id = ?)"),
                {id}) &&
           exec(QStringLiteral("INSERT INTO case_grams (grams) VALUES (?)"),
                {searchGrams(text).join(u' ')}) &&
           exec(QStringLiteral("UPDATE cases SET search_key = last_insert_rowid() WHERE id = ?"),
                {id});
}

bool CaseStore::writeMaps(qint64 id, const Case& c) {
    if (!exec(QStringLiteral("DELETE FROM case_maps WHERE case_id = ?"), {id}))
        return false;
    if (c.locationMap.isEmpty() && c.layoutMap.isEmpty())
        return true;
    // Bound as bytes even when one half is empty.
    return exec(
        QStringLiteral("INSERT INTO case_maps (case_id, location, layout) VALUES (?, ?, ?)"),
        {id, QVariant(QMetaType::fromType<QByteArray>(), &c.locationMap),
         QVariant(QMetaType::fromType<QByteArray>(), &c.layoutMap)});
}

bool CaseStore::insert(Case& c, bool withMaps, qint64 now) {
    const QString search = searchText(c);
    QStringList names, placeholders;
    for (const SavedColumn& column : savedColumns(isSqlite())) {
        names << QLatin1StringView(column.name);
        placeholders << QLatin1StringView(column.placeholder);
    }
    std::optional<QSqlQuery> query =
        run(QStringLiteral("INSERT INTO cases (name, named, created, changed, revision, %1) "
                           "VALUES (?, ?, ?, ?, 1, %2) RETURNING id")
                .arg(names.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", "))),
            QVariantList{text(c.name), c.named, c.created.toMSecsSinceEpoch(), now} +
                savedValues(c, search, isSqlite()),
            kNotSaved);
    if (!query)
        return false;
    if (!query->next())
        return fail(kNotSaved, query->lastError());
    c.id = query->value(0).toLongLong();
    query.reset();
    c.revision = 1;
    return writeSearch(c.id, search) && (!withMaps || writeMaps(c.id, c));
}

CaseStore::Saved CaseStore::write(const Case& original, bool withMaps) {
    Saved saved;
    Case c = original;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!c.created.isValid())
        c.created = QDateTime::fromMSecsSinceEpoch(now);
    const QString automatic = automaticName(c, c.created.toLocalTime().date());
    bool ok = true;
    if (c.id != 0) {
        const QString search = searchText(c);
        QStringList assignments;
        for (const SavedColumn& column : savedColumns(isSqlite()))
            assignments << QStringLiteral("%1 = %2").arg(QLatin1StringView(column.name),
                                                         QLatin1StringView(column.placeholder));
        const std::optional<QSqlQuery> query =
            run(QStringLiteral("UPDATE cases SET name = CASE WHEN named THEN name ELSE ? END, "
                               "changed = ?, revision = revision + 1, %1 "
                               "WHERE id = ? AND revision = ?")
                    .arg(assignments.join(QStringLiteral(", "))),
                QVariantList{automatic, now} + savedValues(c, search, isSqlite()) +
                    QVariantList{c.id, c.revision},
                kNotSaved);
        ok = query.has_value();
        if (ok && query->numRowsAffected() == 1) {
            ok = writeSearch(c.id, search) && (!withMaps || writeMaps(c.id, c));
        } else if (ok) {
            // Another window or desk saved this case since we read it, or deleted it: what
            // was typed here becomes a copy, and neither side loses anything.
            saved.copied = true;
            c.name = QStringLiteral("%1（写し）").arg(c.named ? c.name : automatic);
            c.named = true;
            c.created = QDateTime::fromMSecsSinceEpoch(now);
            ok = insert(c, true, now);
        }
    } else {
        c.name = c.named ? c.name : automatic;
        ok = insert(c, true, now);
    }
    if (!ok)
        return Saved{};
    std::optional<QSqlQuery> after =
        run(QStringLiteral("SELECT name, revision FROM cases WHERE id = ?"), {c.id}, kNotSaved);
    if (!after)
        return Saved{};
    if (!after->next()) {
        fail(kNotSaved);
        return Saved{};
    }
    saved.name = after->value(0).toString();
    saved.revision = after->value(1).toLongLong();
    saved.ok = true;
    saved.id = c.id;
    return saved;
}

// The one way out of a failed transaction; the failure that caused it stays the error.
bool CaseStore::rollback() {
    const QString error = error_.isEmpty() ? kReadWrite : error_;
    QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
    error_ = error;
    return false;
}

CaseStore::Saved CaseStore::save(const Case& c, bool withMaps) {
    if (!writable() || !begin())
        return {};
    const Saved saved = write(c, withMaps);
    if (!saved.ok)
        return rollback(), Saved{};
    if (!commit())
        return {};
    error_.clear();
    return saved;
}

QList<qint64> CaseStore::saveAll(const QList<Case>& cases) {
    QList<qint64> ids;
    if (!writable() || !begin())
        return ids;
    for (const Case& c : cases) {
        const Saved saved = write(c, true);
        if (!saved.ok)
            return rollback(), QList<qint64>{};
        ids << saved.id;
    }
    if (!commit())
        return {};
    error_.clear();
    return ids;
}

std::optional<qint64> CaseStore::duplicate(qint64 id) {
    std::optional<Case> c = load(id);
    if (!c)
        return std::nullopt;
    c->id = 0;
    c->created = QDateTime();
    c->name = QStringLiteral("%1の写し").arg(c->name);
    c->named = true;
    const Saved saved = save(*c, true);
    return saved.ok ? std::optional(saved.id) : std::nullopt;
}

bool CaseStore::rename(qint64 id, const QString& name) {
    if (name.trimmed().isEmpty())
        return fail(QStringLiteral("案件の名前を入れてください。"));
    if (!writable() || !begin())
        return false;
    // A new name is not a change of the values: it does not move the revision.
    const std::optional<QSqlQuery> query =
        run(QStringLiteral("UPDATE cases SET name = ?, named = ? WHERE id = ?"),
            {name.trimmed(), true, id}, QStringLiteral("案件の名前を変えられません。"));
    if (!query)
        return rollback();
    if (query->numRowsAffected() != 1)
        return fail(QStringLiteral("案件 %1 はありません。").arg(id)), rollback();
    return commit();
}

bool CaseStore::setDeleted(qint64 id, const QVariant& when, const QString& unknown) {
    if (!writable() || !begin())
        return false;
    const std::optional<QSqlQuery> query =
        run(QStringLiteral("UPDATE cases SET deleted = ? WHERE id = ? AND deleted IS %1")
                .arg(when.isNull() ? QStringLiteral("NOT NULL") : QStringLiteral("NULL")),
            {when, id}, QStringLiteral("案件を変更できません。"));
    if (!query)
        return rollback();
    if (query->numRowsAffected() != 1)
        return fail(unknown.arg(id)), rollback();
    return commit();
}

bool CaseStore::remove(qint64 id) {
    return setDeleted(id, QDateTime::currentMSecsSinceEpoch(),
                      QStringLiteral("案件 %1 はありません。"));
}

bool CaseStore::restore(qint64 id) {
    return setDeleted(id, QVariant(QMetaType::fromType<qint64>()),
                      QStringLiteral("案件 %1 はごみ箱にありません。"));
}

bool CaseStore::erase(qint64 id) {
    const QString failure = QStringLiteral("案件を削除できません。");
    if (!run(QStringLiteral("DELETE FROM case_maps WHERE case_id = ?"), {id}, failure) ||
        (isSqlite() && !run(QStringLiteral("DELETE FROM case_grams WHERE rowid = (SELECT "
                                           "search_key FROM cases WHERE id = ?)"),
                            {id}, failure)))
        return false;
    const std::optional<QSqlQuery> query =
        run(QStringLiteral("DELETE FROM cases WHERE id = ?"), {id}, failure);
    if (!query)
        return false;
    if (query->numRowsAffected() != 1)
        return fail(QStringLiteral("案件 %1 はありません。").arg(id));
    return true;
}

bool CaseStore::purge(qint64 id) {
    if (!writable() || !begin())
        return false;
    return erase(id) ? commit() : rollback();
}

bool CaseStore::purgeExpired(const QDateTime& now) {
    if (!writable() || !begin())
        return false;
    std::optional<QSqlQuery> expired = run(QStringLiteral("SELECT id FROM cases WHERE deleted < ?"),
                                           {now.addDays(-kTrashDays).toMSecsSinceEpoch()});
    if (!expired)
        return rollback();
    QList<qint64> ids;
    while (expired->next())
        ids << expired->value(0).toLongLong();
    expired.reset();
    for (qint64 id : ids) {
        if (!erase(id))
            return rollback();
    }
    return commit();
}

bool CaseStore::recordPrinted(qint64 id, const QStringList& documents, const QDateTime& when) {
    if (!writable() || !begin())
        return false;
    std::optional<QSqlQuery> row =
        run(QStringLiteral("SELECT printed FROM cases WHERE id = ?"), {id});
    if (!row)
        return rollback();
    if (!row->next())
        return fail(QStringLiteral("案件 %1 はありません。").arg(id)), rollback();
    QJsonObject printed = QJsonDocument::fromJson(row->value(0).toString().toUtf8()).object();
    row.reset();
    for (const QString& document : documents)
        printed.insert(document, when.toMSecsSinceEpoch());
    if (!exec(QStringLiteral("UPDATE cases SET printed = ? WHERE id = ?"),
              {QString::fromUtf8(QJsonDocument(printed).toJson(QJsonDocument::Compact)), id}))
        return rollback();
    return commit();
}

// After a change of the folding: made again in small steps, so a large store is never read
// into memory at once. Inside the migration's transaction.
bool CaseStore::reindexSearch() {
    qint64 after = 0;
    for (;;) {
        std::optional<QSqlQuery> rows =
            run(QStringLiteral("SELECT id, field_values, registration_number, particulars "
                               "FROM cases WHERE id > ? ORDER BY id LIMIT 1000"),
                {after}, QStringLiteral("案件の検索の索引を作り直せません。"));
        if (!rows)
            return false;
        QList<std::pair<qint64, QString>> texts;
        while (rows->next()) {
            Case c;
            c.values = valuesFromJson(rows->value(1).toString());
            c.registrationNumber = rows->value(2).toString();
            c.particulars = particularsFromJson(rows->value(3).toString());
            texts.append({rows->value(0).toLongLong(), searchText(c)});
        }
        rows.reset();
        if (texts.isEmpty())
            return true;
        for (const auto& [id, search] : texts) {
            const bool ok =
                isSqlite()
                    ? exec(QStringLiteral("UPDATE cases SET search_text = ? WHERE id = ?"),
                           {text(search), id}) &&
                          writeSearch(id, search)
                    : exec(QStringLiteral("UPDATE cases SET search_text = ?, grams = ?::text[] "
                                          "WHERE id = ?"),
                           {text(search), arrayLiteral(searchGrams(search)), id});
            if (!ok)
                return false;
        }
        after = texts.last().first;
    }
}

} // namespace mivo
