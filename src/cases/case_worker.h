#pragma once

#include "cases/case.h"
#include "cases/case_database.h"
#include "cases/case_store.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>

#include <map>
#include <memory>

namespace mivo {

// The keeper's side in its own thread: the store's connection, and the changes not stored yet,
// newest per case, saved in the order they were made. Used only from that thread.
class CaseWorker : public QObject {
  public:
    explicit CaseWorker(const CaseDatabase& where) : where_(where) {}

    struct Change {
        Case c;
        QImage location; // the maps as shown, written as PNG files when `mapsChanged`
        QImage layout;
        bool mapsChanged = false;
    };
    struct Result {
        int key;
        Case c; // id, revision and name as stored
        bool copied;
    };
    struct Outcome {
        QList<Result> saved;
        QString error;          // the first failure; the changes after it wait
        bool permanent = false; // the store will not take changes in this run (damaged, newer)
        int unsaved = 0;
    };

    void queue(int key, Change change);
    Outcome flush();
    // The store, opened on first use (again after a failed opening); nullptr with `error`.
    CaseStore* store(QString* error, bool* permanent = nullptr);
    // A stored case as it is, its maps still as their files' bytes.
    struct Opened {
        Case c;
        QString error;
    };
    Opened open(qint64 id);
    // Takes `key` as the stored case `c` from now on; the keeper's keys only grow, so a
    // higher key means an older case was left.
    void adopt(int key, const Case& c);
    // The stored id of the case `key`, or `otherwise` while it has none here.
    qint64 storedId(int key, qint64 otherwise) const {
        const auto it = known_.constFind(key);
        return it != known_.cend() && it->id != 0 ? it->id : otherwise;
    }

  private:
    void forgetLeftCases();

    CaseDatabase where_;
    std::unique_ptr<CaseStore> store_;
    std::map<int, Change> pending_;
    // key → the case as last stored: its id, revision and maps (which a copy must carry too)
    QHash<int, Case> known_;
    int newestKey_ = 0;
};

} // namespace mivo
