#pragma once

#include <QStringList>

#include <span>

namespace mivo {

// The store's tables, built up by forward migrations: migration n takes a database from
// schema version n to n + 1. A database whose version is higher was written by a newer
// program and is only read.
struct Migration {
    QStringList sqlite;
    QStringList postgres;
    // The search's folding changed: every case's search text and grams are made again.
    bool reindexSearch = false;
};

std::span<const Migration> migrations();
inline int knownSchemaVersion() { return int(migrations().size()); }

} // namespace mivo
