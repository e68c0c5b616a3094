#include "KeloDBOpen.h"

#include "KeloDBConnectionClass.h"
#include "KeloDBErrorClass.h"
#include "KeloDBSchema.h"
#include "KeloDBSchemaGtfsColumns.h"

#include <sqlite3.h>

namespace {

KeloDBOpenResultType Failure(KeloDBOpenStatusType status, std::string detail) {
    KeloDBOpenResultType result;
    result.status = status;
    result.detail = std::move(detail);
    return result;
}

KeloDBOpenStatusType StatusOf(const KeloDBErrorClass& error) {
    switch (error.GetCode()) {
    case SQLITE_NOTADB:
        return KeloDBOpenStatusType::NotKeloDatabase;
    case SQLITE_CORRUPT:
        return KeloDBOpenStatusType::Damaged;
    default:
        return KeloDBOpenStatusType::CannotOpen;
    }
}

} // namespace

KeloDBOpenResultType KeloDBOpen(const std::string& path, int busyTimeoutMs) {
    std::shared_ptr<KeloDBConnectionClass> connection;
    try {
        connection = std::make_shared<KeloDBConnectionClass>(
            path, KeloDBConnectionClass::ModeType::OpenExisting, busyTimeoutMs);
        // An empty file opens as an empty database; the application id tells it apart.
        if (connection->QueryInt("PRAGMA application_id") != KeloDBApplicationId)
            return Failure(KeloDBOpenStatusType::NotKeloDatabase, "no Kelo application id");
        const std::int64_t version = connection->QueryInt("PRAGMA user_version");
        if (version > KeloDBSchemaVersion)
            return Failure(KeloDBOpenStatusType::NewerVersion,
                           "schema version " + std::to_string(version));
        if (version < 1)
            return Failure(KeloDBOpenStatusType::NotKeloDatabase, "no schema version");
        // quick_check reads every page, so a truncated or overwritten file shows here
        // rather than in the middle of a save.
        KeloDBStatementClass check(connection->GetHandle(), "PRAGMA quick_check");
        if (!check.Step() || check.ColumnBytes(0) != "ok")
            return Failure(KeloDBOpenStatusType::Damaged, check.ColumnBytes(0));
        check.Reset();
        for (const char* table : {"bus", "stop", "link", "kelo", "entry"}) {
            KeloDBStatementClass exists(
                connection->GetHandle(),
                std::string("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = '") +
                    table + "'");
            if (!exists.Step())
                return Failure(KeloDBOpenStatusType::Damaged,
                               std::string("missing table ") + table);
        }
        if (version < KeloDBSchemaVersion)
            KeloDBUpgradeToGtfsColumns(*connection);
        connection->Execute("PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL");
    } catch (const KeloDBErrorClass& error) {
        return Failure(StatusOf(error), error.what());
    }
    KeloDBOpenResultType result;
    result.status = KeloDBOpenStatusType::Ok;
    result.connection = std::move(connection);
    return result;
}
