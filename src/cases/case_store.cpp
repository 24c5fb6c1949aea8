#include "cases/case_store.h"

#include "cases/case_documents.h"
#include "cases/case_register.h"
#include "cases/case_schema.h"
#include "cases/case_search.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <limits>

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
    {"field_values", "?"},   {"registration_number", "?"}, {"fit_location_map", "?"},
    {"fit_layout_map", "?"}, {"location_marks", "?"},      {"particulars", "?"},
    {"search_text", "?"},    {"grams", "?::text[]"}, // PostgreSQL only: the last
};

std::span<const SavedColumn> savedColumns(bool sqlite) {
    return std::span(kSavedColumns).first(std::size(kSavedColumns) - (sqlite ? 1 : 0));
}

QVariantList savedValues(const Case& c, const QString& search, bool sqlite) {
    QVariantList values{
        valuesJson(c.values),  text(c.registrationNumber),     c.fitLocationMap, c.fitLayoutMap,
        text(c.locationMarks), particularsJson(c.particulars), text(search)};
    if (!sqlite)
        values << arrayLiteral(searchGrams(search));
    return values;
}

} // namespace

CaseStore::CaseStore(const CaseDatabase& where) {
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

bool CaseStore::openSqlite(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        if (!QDir().mkpath(info.absolutePath()))
            return fail(QStringLiteral("案件を保存するフォルダ %1 を作れません。")
                            .arg(info.absolutePath()));
        // The values are personal data: the file is its owner's alone from the first byte.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            return fail(QStringLiteral("案件のファイル %1 を作れません。（%2）")
                            .arg(path, file.errorString()));
    } else if (!info.isReadable()) {
        return fail(QStringLiteral("案件のファイル %1 を読めません。ファイルの権限を確かめて"
                                   "ください。")
                        .arg(path));
    }

    // A read-only look first: a file that is not a sound database is left exactly as found.
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), newConnectionName());
    db_.setDatabaseName(path);
    db_.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    const QString damaged =
        QStringLiteral(
            "案件のファイル %1 は壊れているか、案件のデータベースではありません。そのままに"
            "してあります。別の場所に移してから起動し直してください。")
            .arg(QDir::toNativeSeparators(info.absoluteFilePath()));
    if (!db_.open() || !exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return fail(damaged);
    db_.close();

    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db_.open())
        return fail(QStringLiteral("案件のファイル %1 を開けません。").arg(path), db_.lastError());
    // WAL lets readers go on while one desk writes; FULL makes each save reach the disk.
    return exec(QStringLiteral("PRAGMA journal_mode = WAL")) &&
           exec(QStringLiteral("PRAGMA synchronous = FULL"));
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
        return fail(kReadOnly);
    return true;
}

// Builds or brings up the tables in one transaction; a failure leaves the database as it was
// and says that the store could not be prepared.
bool CaseStore::migrate() {
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
    for (int n = from; n < knownSchemaVersion(); ++n) {
        const Migration& migration = migrations()[size_t(n)];
        for (const QString& sql : isSqlite() ? migration.sqlite : migration.postgres) {
            if (!step(sql))
                return rollback();
        }
    }
    if (!step(QStringLiteral("UPDATE case_schema SET version = ?"), {knownSchemaVersion()}))
        return rollback();
    return commit();
}

QList<CaseSummary> CaseStore::list(const QString& search, int limit) {
    QList<CaseSummary> cases;
    if (!reconnectIfLost())
        return cases;
    const QString columns =
        QStringLiteral("SELECT id, name, created, changed, field_values, registration_number, "
                       "EXISTS (SELECT 1 FROM case_maps WHERE case_id = cases.id), "
                       "location_marks");
    QString sql = columns + QStringLiteral(" FROM cases");
    QString order = QStringLiteral(" ORDER BY changed DESC, id DESC");
    QVariantList binds;
    const SearchQuery query = searchQuery(search);
    if (!query.isEmpty()) {
        if (isSqlite()) {
            sql = columns + QStringLiteral(" FROM case_grams JOIN cases ON cases.search_key = "
                                           "case_grams.rowid WHERE case_grams MATCH ?");
            order = QStringLiteral(" ORDER BY case_grams.rowid DESC");
            binds << query.grams.join(u' ');
        } else {
            sql += QStringLiteral(" WHERE grams @> ?::text[]");
            binds << arrayLiteral(query.grams);
        }
        for (const QString& word : query.words) {
            sql += isSqlite() ? QStringLiteral(" AND instr(search_text, ?) > 0")
                              : QStringLiteral(" AND strpos(search_text, ?) > 0");
            binds << word;
        }
    }
    binds << (limit < 0 ? std::numeric_limits<qint64>::max() : qint64(limit));

    std::optional<QSqlQuery> rows = run(sql + order + QStringLiteral(" LIMIT ?"), binds,
                                        QStringLiteral("案件の一覧を読めません。"));
    if (!rows)
        return cases;
    while (rows->next()) {
        const Case::Values values = valuesFromJson(rows->value(4).toString());
        const bool drawing = rows->value(6).toBool() || !rows->value(5).toString().isEmpty() ||
                             !rows->value(7).toString().isEmpty();
        cases.append({rows->value(0).toLongLong(), rows->value(1).toString(),
                      fromMs(rows->value(2)), fromMs(rows->value(3)),
                      documentsWithValues(values, drawing)});
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
                           "location_marks "
                           "FROM cases WHERE id = ?"),
            {id}, QStringLiteral("案件を読めません。"));
    if (!row)
        return std::nullopt;
    if (!row->next()) {
        error_ = QStringLiteral("案件 %1 はありません。").arg(id);
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
    c.locationMarks = row->value(10).toString();

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
        run(QStringLiteral("SELECT id FROM cases WHERE name = ? ORDER BY changed DESC"), {name},
            QStringLiteral("案件を探せません。"));
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

bool CaseStore::remove(qint64 id) {
    if (!writable() || !begin())
        return false;
    const QString failure = QStringLiteral("案件を削除できません。");
    if (!run(QStringLiteral("DELETE FROM case_maps WHERE case_id = ?"), {id}, failure) ||
        (isSqlite() && !run(QStringLiteral("DELETE FROM case_grams WHERE rowid = (SELECT "
                                           "search_key FROM cases WHERE id = ?)"),
                            {id}, failure)))
        return rollback();
    const std::optional<QSqlQuery> query =
        run(QStringLiteral("DELETE FROM cases WHERE id = ?"), {id}, failure);
    if (!query)
        return rollback();
    if (query->numRowsAffected() != 1)
        return fail(QStringLiteral("案件 %1 はありません。").arg(id)), rollback();
    return commit();
}

} // namespace mivo
