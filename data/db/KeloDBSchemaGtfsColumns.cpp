#include "KeloDBSchemaGtfsColumns.h"

#include "KeloDBConnectionClass.h"

#include <exception>
#include <string>

void KeloDBAddGtfsColumns(KeloDBConnectionClass& connection) {
    // Feed ids and route names are the feed's UTF-8; everything else stays Windows-1251.
    connection.Execute(R"sql(
ALTER TABLE stop ADD COLUMN lat REAL;
ALTER TABLE stop ADD COLUMN lon REAL;
CREATE TABLE agency (
    id INTEGER PRIMARY KEY,
    name BLOB NOT NULL,
    url BLOB NOT NULL,
    timezone BLOB NOT NULL,
    language BLOB
);
ALTER TABLE kelo ADD COLUMN route_id BLOB;
ALTER TABLE kelo ADD COLUMN route_short_name BLOB;
ALTER TABLE kelo ADD COLUMN route_long_name BLOB;
ALTER TABLE kelo ADD COLUMN route_type INTEGER;
ALTER TABLE kelo ADD COLUMN trip_id BLOB;
)sql");
}

void KeloDBUpgradeToGtfsColumns(KeloDBConnectionClass& connection) {
    connection.Execute("BEGIN IMMEDIATE");
    try {
        // Read again under the write lock: another program may have upgraded meanwhile.
        if (connection.QueryInt("PRAGMA user_version") == KeloDBGtfsColumnsVersion - 1) {
            KeloDBAddGtfsColumns(connection);
            connection.Execute(
                ("PRAGMA user_version = " + std::to_string(KeloDBGtfsColumnsVersion)).c_str());
        }
        connection.Execute("COMMIT");
    } catch (...) {
        try {
            connection.Execute("ROLLBACK");
        } catch (const std::exception&) {
            // The failure that got us here is the one to report.
        }
        throw;
    }
}
