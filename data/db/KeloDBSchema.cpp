#include "KeloDBSchema.h"

#include "KeloDBConnectionClass.h"
#include "KeloDBSchemaGtfsColumns.h"

#include <string>

void KeloDBCreateTables(KeloDBConnectionClass& connection) {
    connection.Execute(R"sql(
CREATE TABLE bus (
    id INTEGER PRIMARY KEY,
    model BLOB NOT NULL UNIQUE,
    category BLOB NOT NULL,
    capacity INTEGER NOT NULL
);
CREATE TABLE stop (
    id INTEGER PRIMARY KEY,
    code BLOB NOT NULL UNIQUE,
    name BLOB NOT NULL
);
CREATE TABLE link (
    stop_a INTEGER NOT NULL REFERENCES stop(id),
    stop_b INTEGER NOT NULL REFERENCES stop(id),
    km REAL NOT NULL,
    PRIMARY KEY (stop_a, stop_b),
    CHECK (stop_a < stop_b)
) WITHOUT ROWID;
CREATE TABLE kelo (
    id INTEGER PRIMARY KEY,
    number BLOB NOT NULL UNIQUE,
    name BLOB NOT NULL,
    bus_id INTEGER REFERENCES bus(id)
);
CREATE TABLE entry (
    id INTEGER PRIMARY KEY,
    kelo_id INTEGER NOT NULL REFERENCES kelo(id) ON DELETE CASCADE,
    seq INTEGER NOT NULL,
    stop_id INTEGER NOT NULL REFERENCES stop(id),
    arrival INTEGER,
    stay INTEGER
);
)sql");
    // A new file takes the same steps an old one is upgraded by, so the two cannot differ.
    KeloDBAddGtfsColumns(connection);
}

void KeloDBCreateIndexes(KeloDBConnectionClass& connection) {
    connection.Execute(R"sql(
CREATE UNIQUE INDEX entry_kelo_seq ON entry(kelo_id, seq);
CREATE INDEX entry_stop ON entry(stop_id);
CREATE INDEX link_stop_b ON link(stop_b);
CREATE INDEX kelo_bus ON kelo(bus_id);
)sql");
}

void KeloDBStampVersion(KeloDBConnectionClass& connection) {
    connection.Execute(("PRAGMA application_id = " + std::to_string(KeloDBApplicationId) +
                        "; PRAGMA user_version = " + std::to_string(KeloDBSchemaVersion))
                           .c_str());
}
