#include "KeloDBIntegrityCheck.h"

#include "KeloDBConnectionClass.h"

#include <set>

namespace {

struct TableColumnsType {
    const char* table;
    std::set<std::string> columns;
};

// Columns every reader and writer names; a table may have more.
const TableColumnsType RequiredColumns[] = {
    {"bus", {"id", "model", "category", "capacity"}},
    {"stop", {"id", "code", "name"}},
    {"link", {"stop_a", "stop_b", "km"}},
    {"kelo", {"id", "number", "name", "bus_id"}},
    {"entry", {"id", "kelo_id", "seq", "stop_id", "arrival", "stay"}},
};

} // namespace

std::string KeloDBFindMissingColumn(KeloDBConnectionClass& connection) {
    for (const TableColumnsType& required : RequiredColumns) {
        std::set<std::string> missing = required.columns;
        KeloDBStatementClass columns(connection.GetHandle(),
                                     std::string("PRAGMA table_info(") + required.table + ")");
        bool any = false;
        while (columns.Step()) {
            any = true;
            missing.erase(columns.ColumnText(1));
        }
        if (!any)
            return std::string("missing table ") + required.table;
        if (!missing.empty())
            return "table " + std::string(required.table) + " lacks the column " + *missing.begin();
    }
    return {};
}

namespace {

std::string DanglingReference(KeloDBConnectionClass& connection) {
    KeloDBStatementClass check(connection.GetHandle(), "PRAGMA foreign_key_check");
    if (!check.Step())
        return {};
    return "a row of " + check.ColumnText(0) + " refers to a missing row of " + check.ColumnText(2);
}

struct RowCheckType {
    const char* sql; // a row means damage; column 0 names it
    const char* what;
};

// The integrity check before has shown the indexes to agree with their tables, so the unique
// index on (kelo, seq) already rules out duplicate positions, and NOT NULL holds.
const RowCheckType RowChecks[] = {
    {"SELECT kelo_id FROM entry GROUP BY kelo_id HAVING min(seq) <> 0 "
     "OR max(seq) <> count(*) - 1 OR max(typeof(seq) <> 'integer') LIMIT 1",
     "the stops of a kelo are not numbered 0, 1, 2, ...: kelo id "},
    {"SELECT id FROM entry WHERE (arrival IS NOT NULL AND NOT (typeof(arrival) = 'integer' AND "
     "arrival BETWEEN 0 AND "
     "1439)) OR (stay IS NOT NULL AND NOT (typeof(stay) = 'integer' AND stay BETWEEN 0 AND "
     "1439)) LIMIT 1",
     "a time outside 00:00-23:59: entry id "},
    {"SELECT stop_a FROM link WHERE stop_a >= stop_b OR typeof(km) NOT IN ('integer', 'real') "
     "OR NOT (km BETWEEN 0 AND 100000) LIMIT 1",
     "a distance that is not a number of km from 0 to 100000: link from stop id "},
    {"SELECT id FROM bus WHERE typeof(capacity) <> 'integer' "
     "OR capacity NOT BETWEEN 0 AND 2147483647 LIMIT 1",
     "a bus capacity out of range: bus id "},
};

} // namespace

std::string KeloDBFindDamage(KeloDBConnectionClass& connection) {
    static_assert(KeloDBMaxMinute == 1439 && KeloDBMaxLinkKm == 100000,
                  "the range checks below spell these out");
    if (std::string missing = KeloDBFindMissingColumn(connection); !missing.empty())
        return missing;
    if (std::string dangling = DanglingReference(connection); !dangling.empty())
        return dangling;
    for (const RowCheckType& check : RowChecks) {
        KeloDBStatementClass rows(connection.GetHandle(), check.sql);
        if (rows.Step())
            return check.what + rows.ColumnText(0);
    }
    return {};
}
