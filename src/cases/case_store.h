#pragma once

#include "cases/case.h"
#include "cases/case_database.h"
#include "cases/case_search.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <optional>

namespace mivo {

// The cases in a SQLite file or on a PostgreSQL server, through one connection that belongs to
// the thread that made the store. Every change is one transaction: a failure, a full disk or
// a killed process leaves the previous complete state. A file that cannot be read as a
// database is never written to; a database of a newer schema is only read.
class CaseStore {
  public:
    explicit CaseStore(const CaseDatabase& where);
    ~CaseStore();
    CaseStore(const CaseStore&) = delete;
    CaseStore& operator=(const CaseStore&) = delete;

    // What keeps the store from working: a damaged file (not a database, or one that fails
    // its check) stays so; a lock, a full disk or a server that is gone may clear.
    enum class Trouble { None, Damaged, Locked, Full, Other };
    // A writer waits this long for another one before it says the database is busy.
    static constexpr int kBusyWaitMs = 30000;

    bool isOpen() const { return db_.isOpen(); }
    // Read only: a newer schema, or a file the user may only read (listed, shown, rendered).
    bool isReadOnly() const { return readOnly_; }
    Trouble trouble() const { return trouble_; }
    // The last failure, in words for the user (never with a value in it); empty after success.
    QString error() const { return error_; }

    // Cases newest first; with `search`, those whose values contain every word of it, each
    // with the value that matched. Cases in the trash are left out.
    QList<CaseSummary> list(const QString& search = {}, int limit = -1);
    // The cases in the trash, the most recently deleted first.
    QList<CaseSummary> listTrash();
    std::optional<Case> load(qint64 id);
    // The ids of the cases called exactly `name`.
    QList<qint64> findByName(const QString& name);

    struct Saved {
        bool ok = false;
        qint64 id = 0;
        qint64 revision = 0;
        QString name;
        bool copied = false; // the case had changed (or gone) since `revision`: saved as a copy
    };
    // Saves `c` (a new case when its id is 0) if the store still has its revision; otherwise
    // saves it as a new copy. The maps are written only with `withMaps` or into a new case.
    Saved save(const Case& c, bool withMaps);
    // New cases (imports), all or none in one transaction; their ids, or none after a failure.
    QList<qint64> saveAll(const QList<Case>& cases);
    std::optional<qint64> duplicate(qint64 id);
    bool rename(qint64 id, const QString& name);
    // Deleting puts a case in the trash for kTrashDays; it can be restored until then.
    static constexpr int kTrashDays = 30;
    bool remove(qint64 id);
    bool restore(qint64 id);
    // Deletes a case for good, from the trash or not.
    bool purge(qint64 id);
    // Deletes for good what has been in the trash longer than kTrashDays before `now`.
    bool purgeExpired(const QDateTime& now);
    // Records that the case's `documents` were printed (or saved as PDF) at `when`; this is
    // no change of the values and does not move the revision.
    bool recordPrinted(qint64 id, const QStringList& documents, const QDateTime& when);

  private:
    bool isSqlite() const;
    bool openSqlite(const QString& path);
    bool createSqlite(const QString& path);
    bool looksSound(const QString& shownPath);
    bool failSqlite(const QSqlError& error, const QString& message);
    bool openPostgres(const QString& connection);
    bool migrate();
    bool checkReadOnlyVersion();
    bool reconnectIfLost();
    bool begin();
    bool commit();
    bool rollback();                           // keeps the error that caused it
    Saved write(const Case& c, bool withMaps); // inside a transaction
    // Records `message` (with the database's words for `error`) as the failure; a server
    // connection that broke is opened again before the next use.
    bool fail(const QString& message, const QSqlError& error = {});
    bool writable();
    // Runs `sql` with `binds` in order: the query, to read its rows, or nothing after a failure,
    // recorded as `failure`.
    std::optional<QSqlQuery> run(const QString& sql, const QVariantList& binds = {},
                                 const QString& failure = {});
    bool exec(const QString& sql, const QVariantList& binds = {}) {
        return run(sql, binds).has_value();
    }
    bool insert(Case& c, bool withMaps, qint64 now);
    bool writeSearch(qint64 id, const QString& text);
    bool writeMaps(qint64 id, const Case& c);
    bool reindexSearch();
    bool setDeleted(qint64 id, const QVariant& when, const QString& unknown);
    bool erase(qint64 id); // inside a transaction
    QList<CaseSummary> summaries(const QString& sql, const QVariantList& binds,
                                 const SearchQuery* query);

    QSqlDatabase db_;
    QString location_; // the file or connection, for messages about locks
    QString error_;
    bool readOnly_ = false;
    QString readOnlyMessage_;
    Trouble trouble_ = Trouble::None;
    bool lost_ = false; // a server connection that failed is opened again before its next use
};

} // namespace mivo
