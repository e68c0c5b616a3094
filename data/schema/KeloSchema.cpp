#include "KeloSchema.h"

std::string KeloSchemaBaseTables(const KeloSchemaDialectType& dialect) {
    return KeloSchemaRender(R"sql(
CREATE TABLE bus (
    id {ID},
    model {BYTES} NOT NULL UNIQUE,
    category {BYTES} NOT NULL,
    capacity {INT} NOT NULL
);
CREATE TABLE stop (
    id {ID},
    code {BYTES} NOT NULL UNIQUE,
    name {BYTES} NOT NULL
);
CREATE TABLE link (
    stop_a {INT} NOT NULL REFERENCES stop(id),
    stop_b {INT} NOT NULL REFERENCES stop(id),
    km REAL NOT NULL,
    PRIMARY KEY (stop_a, stop_b),
    CHECK (stop_a < stop_b)
){WITHOUT_ROWID};
CREATE TABLE kelo (
    id {ID},
    number {BYTES} NOT NULL UNIQUE,
    name {BYTES} NOT NULL,
    bus_id {INT} REFERENCES bus(id)
);
CREATE TABLE entry (
    id {ID},
    kelo_id {INT} NOT NULL REFERENCES kelo(id) ON DELETE CASCADE,
    seq {INT} NOT NULL,
    stop_id {INT} NOT NULL REFERENCES stop(id),
    arrival {INT},
    stay {INT}
);
)sql",
                            dialect);
}

std::string KeloSchemaBaseIndexes(const KeloSchemaDialectType& dialect) {
    return KeloSchemaRender(R"sql(
CREATE UNIQUE INDEX entry_kelo_seq ON entry(kelo_id, seq);
CREATE INDEX entry_stop ON entry(stop_id);
CREATE INDEX link_stop_b ON link(stop_b);
CREATE INDEX kelo_bus ON kelo(bus_id);
)sql",
                            dialect);
}

const std::vector<KeloSchemaStepType>& KeloSchemaSteps() {
    // Append only: a step, once released, is never changed, since files out there went
    // through it.
    static const std::vector<KeloSchemaStepType> steps = {
        // Each saved change to a kelo raises its version, so a save can tell whether another
        // planner changed the kelo since it was read.
        {1, "ALTER TABLE kelo ADD COLUMN version {INT} NOT NULL DEFAULT 1"},
        // What a feed export needs: stop positions, the operator, and per kelo the feed's
        // route and original trip id. Feed ids and route names are the feed's UTF-8.
        {2, R"sql(
ALTER TABLE stop ADD COLUMN lat DOUBLE PRECISION;
ALTER TABLE stop ADD COLUMN lon DOUBLE PRECISION;
CREATE TABLE agency (
    id {ID},
    name {BYTES} NOT NULL,
    url {BYTES} NOT NULL,
    timezone {BYTES} NOT NULL,
    language {BYTES}
);
ALTER TABLE kelo ADD COLUMN route_id {BYTES};
ALTER TABLE kelo ADD COLUMN route_short_name {BYTES};
ALTER TABLE kelo ADD COLUMN route_long_name {BYTES};
ALTER TABLE kelo ADD COLUMN route_type {INT};
ALTER TABLE kelo ADD COLUMN trip_id {BYTES};
)sql"},
    };
    return steps;
}

const std::vector<std::string>& KeloSchemaTableNames() {
    static const std::vector<std::string> names = {"bus",  "stop",  "link",
                                                   "kelo", "entry", "agency"};
    return names;
}

std::string KeloSchemaRender(std::string_view sql, const KeloSchemaDialectType& dialect) {
    const std::pair<std::string_view, const std::string*> tokens[] = {
        {"{ID}", &dialect.id},
        {"{BYTES}", &dialect.bytes},
        {"{INT}", &dialect.integer},
        {"{WITHOUT_ROWID}", &dialect.withoutRowid},
    };
    std::string out;
    out.reserve(sql.size());
    std::size_t at = 0;
    while (at < sql.size()) {
        bool replaced = false;
        if (sql[at] == '{')
            for (const auto& [token, word] : tokens)
                if (sql.substr(at, token.size()) == token) {
                    out += *word;
                    at += token.size();
                    replaced = true;
                    break;
                }
        if (!replaced)
            out += sql[at++];
    }
    return out;
}

void KeloSchemaApplySteps(KeloSchemaStoreClass& store, std::int64_t from) {
    for (const KeloSchemaStepType& step : KeloSchemaSteps()) {
        if (step.from < from)
            continue;
        store.ExecuteSchemaSql(KeloSchemaRender(step.sql, store.GetDialect()));
        store.WriteSchemaVersion(step.from + 1);
    }
}

std::int64_t KeloSchemaUpgrade(KeloSchemaStoreClass& store) {
    const std::int64_t found = store.ReadSchemaVersion();
    if (found > KeloSchemaVersion)
        throw KeloSchemaErrorClass("schema version " + std::to_string(found) +
                                       " is newer than this program's " +
                                       std::to_string(KeloSchemaVersion),
                                   true);
    for (const KeloSchemaStepType& step : KeloSchemaSteps()) {
        if (step.from < found)
            continue;
        store.BeginSchemaChange();
        try {
            // Another program may have taken this step while we waited for the lock.
            const std::int64_t now = store.ReadSchemaVersion();
            if (now == step.from) {
                store.ExecuteSchemaSql(KeloSchemaRender(step.sql, store.GetDialect()));
                store.WriteSchemaVersion(step.from + 1);
            } else if (now > KeloSchemaVersion) {
                throw KeloSchemaErrorClass("schema version " + std::to_string(now) +
                                               " is newer than this program's",
                                           true);
            }
            store.CommitSchemaChange();
        } catch (const KeloSchemaErrorClass&) {
            store.RollbackSchemaChange();
            throw;
        } catch (const std::exception& error) {
            store.RollbackSchemaChange();
            throw KeloSchemaErrorClass("upgrading the schema from version " +
                                           std::to_string(step.from) + " failed: " + error.what(),
                                       false);
        }
    }
    return found;
}
