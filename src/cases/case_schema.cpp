#include "cases/case_schema.h"

namespace mivo {

std::span<const Migration> migrations() {
    // Times are milliseconds since 1970 (UTC); field_values is a JSON array of the 79 values;
    // search_text and the grams are what case_search.h describes. The maps, the largest
    // values, have their own table so that saving a keystroke never rewrites them. In SQLite
    // each save gives the case's grams a new, higher row (search_key), so a search reads the
    // full-text index newest first and stops at the list's length.
    static const Migration table[] = {
        {{QStringLiteral("CREATE TABLE cases (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                         "name TEXT NOT NULL, named INTEGER NOT NULL, created INTEGER NOT NULL, "
                         "changed INTEGER NOT NULL, revision INTEGER NOT NULL, "
                         "field_values TEXT NOT NULL, registration_number TEXT NOT NULL, "
                         "particulars TEXT NOT NULL, search_text TEXT NOT NULL, "
                         "search_key INTEGER)"),
          QStringLiteral("CREATE INDEX cases_changed ON cases (changed)"),
          QStringLiteral("CREATE UNIQUE INDEX cases_search_key ON cases (search_key)"),
          QStringLiteral("CREATE TABLE case_maps (case_id INTEGER PRIMARY KEY, "
                         "location BLOB, layout BLOB)"),
          QStringLiteral("CREATE VIRTUAL TABLE case_grams USING fts5 "
                         "(grams, tokenize = 'ascii', detail = none)")},
         {QStringLiteral("CREATE TABLE cases (id BIGSERIAL PRIMARY KEY, "
                         "name TEXT NOT NULL, named BOOLEAN NOT NULL, created BIGINT NOT NULL, "
                         "changed BIGINT NOT NULL, revision BIGINT NOT NULL, "
                         "field_values TEXT NOT NULL, registration_number TEXT NOT NULL, "
                         "particulars TEXT NOT NULL, search_text TEXT NOT NULL, "
                         "grams TEXT[] NOT NULL)"),
          QStringLiteral("CREATE INDEX cases_changed ON cases (changed)"),
          QStringLiteral("CREATE INDEX cases_grams ON cases USING gin (grams)"),
          QStringLiteral("CREATE TABLE case_maps (case_id BIGINT PRIMARY KEY, "
                         "location BYTEA, layout BYTEA)")}},
        // The maps' fit choice; a change of it alone rewrites no map.
        {{QStringLiteral("ALTER TABLE cases ADD COLUMN fit_location_map INTEGER NOT NULL "
                         "DEFAULT 0"),
          QStringLiteral("ALTER TABLE cases ADD COLUMN fit_layout_map INTEGER NOT NULL "
                         "DEFAULT 0")},
         {QStringLiteral("ALTER TABLE cases ADD COLUMN fit_location_map INTEGER NOT NULL "
                         "DEFAULT 0"),
          QStringLiteral("ALTER TABLE cases ADD COLUMN fit_layout_map INTEGER NOT NULL "
                         "DEFAULT 0")}},
        // PostgreSQL keeps the fit choices as BOOLEAN, like `named`; SQLite has no such type.
        {{},
         {QStringLiteral("ALTER TABLE cases ALTER COLUMN fit_location_map DROP DEFAULT, "
                         "ALTER COLUMN fit_location_map TYPE BOOLEAN USING fit_location_map <> 0, "
                         "ALTER COLUMN fit_location_map SET DEFAULT false, "
                         "ALTER COLUMN fit_layout_map DROP DEFAULT, "
                         "ALTER COLUMN fit_layout_map TYPE BOOLEAN USING fit_layout_map <> 0, "
                         "ALTER COLUMN fit_layout_map SET DEFAULT false")}},
        // The trash (deleted: when, or NULL) and when each document was last printed (a JSON
        // object of title to time). Search folds more, so the grams are made again; the list
        // reads PostgreSQL's newest rows in the index's order, without sorting every case.
        {{QStringLiteral("ALTER TABLE cases ADD COLUMN deleted INTEGER"),
          QStringLiteral("ALTER TABLE cases ADD COLUMN printed TEXT NOT NULL DEFAULT '{}'"),
          QStringLiteral("CREATE INDEX cases_deleted ON cases (deleted) WHERE deleted IS NOT "
                         "NULL")},
         {QStringLiteral("ALTER TABLE cases ADD COLUMN deleted BIGINT"),
          QStringLiteral("ALTER TABLE cases ADD COLUMN printed TEXT NOT NULL DEFAULT '{}'"),
          QStringLiteral("CREATE INDEX cases_deleted ON cases (deleted) WHERE deleted IS NOT "
                         "NULL"),
          QStringLiteral("DROP INDEX cases_changed"),
          QStringLiteral("CREATE INDEX cases_changed ON cases (changed, id)")},
         true},
        // The location map's marks, as JSON text.
        {{QStringLiteral("ALTER TABLE cases ADD COLUMN location_marks TEXT NOT NULL DEFAULT ''")},
         {QStringLiteral("ALTER TABLE cases ADD COLUMN location_marks TEXT NOT NULL DEFAULT ''")}},
        // The 配置図 drawn in the program, as JSON text, and whether the right half prints it.
        {{QStringLiteral("ALTER TABLE cases ADD COLUMN site_plan TEXT NOT NULL DEFAULT ''"),
          QStringLiteral("ALTER TABLE cases ADD COLUMN print_site_plan INTEGER NOT NULL "
                         "DEFAULT 0")},
         {QStringLiteral("ALTER TABLE cases ADD COLUMN site_plan TEXT NOT NULL DEFAULT ''"),
          QStringLiteral("ALTER TABLE cases ADD COLUMN print_site_plan BOOLEAN NOT NULL "
                         "DEFAULT false")}},
    };
    return table;
}

} // namespace mivo
