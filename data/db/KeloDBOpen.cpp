#include "KeloDBOpen.h"

#include "KeloDBConnectionClass.h"
#include "KeloDBErrorClass.h"
#include "KeloDBIntegrityCheck.h"
#include "KeloDBSchema.h"

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

KeloDBOpenResultType KeloDBOpen(const std::string& path, int busyTimeoutMs, KeloDBOpenModeType mode,
                                KeloDBOpenCheckType check) {
    std::shared_ptr<KeloDBConnectionClass> connection;
    try {
        connection = std::make_shared<KeloDBConnectionClass>(
            path,
            mode == KeloDBOpenModeType::ReadOnly ? KeloDBConnectionClass::ModeType::ReadOnly
                                                 : KeloDBConnectionClass::ModeType::OpenExisting,
            busyTimeoutMs);
        // An empty file opens as an empty database; the application id tells it apart.
        if (connection->QueryInt("PRAGMA application_id") != KeloDBApplicationId)
            return Failure(KeloDBOpenStatusType::NotKeloDatabase, "no Kelo application id");
        const std::int64_t version = connection->QueryInt("PRAGMA user_version");
        if (version > KeloDBSchemaVersion)
            return Failure(KeloDBOpenStatusType::NewerVersion,
                           "schema version " + std::to_string(version));
        if (version < 1)
            return Failure(KeloDBOpenStatusType::NotKeloDatabase, "no schema version");
        // Opening for writing switches the journal and upgrades an older schema: a file that
        // needs either is checked whole first, so nothing is written to a damaged file.
        if (check == KeloDBOpenCheckType::Deferred && mode == KeloDBOpenModeType::ReadWrite) {
            KeloDBStatementClass journal(connection->GetHandle(), "PRAGMA journal_mode");
            if (version < KeloDBSchemaVersion || !journal.Step() || journal.ColumnText(0) != "wal")
                check = KeloDBOpenCheckType::Whole;
        }
        // The check reads every page, so a truncated or overwritten file shows here rather
        // than in the middle of a save. The full check rather than quick_check: a flipped bit
        // can leave an index disagreeing with its table, and a look-up through it then finds
        // no row where the count says there is one (about 0.6 s more at 300,000 entries).
        // Its answer is text in the file's encoding.
        if (check == KeloDBOpenCheckType::Whole) {
            KeloDBStatementClass pages(connection->GetHandle(), "PRAGMA integrity_check(1)");
            if (!pages.Step() || pages.ColumnText(0) != "ok")
                return Failure(KeloDBOpenStatusType::Damaged, pages.ColumnText(0));
        }
        // Rows the pages hold soundly may still break what the reads rely on; a deferred
        // check still makes sure of the schema, which every read names.
        if (std::string damage = check == KeloDBOpenCheckType::Whole
                                     ? KeloDBFindDamage(*connection)
                                     : KeloDBFindMissingColumn(*connection);
            !damage.empty())
            return Failure(KeloDBOpenStatusType::Damaged, damage);
        // A command that only reads changes no byte: no journal switch and no upgrade.
        if (mode == KeloDBOpenModeType::ReadWrite) {
            connection->Execute("PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL");
            KeloDBUpgradeSchema(*connection);
        }
    } catch (const KeloDBErrorClass& error) {
        return Failure(StatusOf(error), error.what());
    } catch (const KeloSchemaErrorClass& error) {
        return Failure(error.IsNewer() ? KeloDBOpenStatusType::NewerVersion
                                       : KeloDBOpenStatusType::CannotOpen,
                       error.what());
    }
    KeloDBOpenResultType result;
    result.status = KeloDBOpenStatusType::Ok;
    result.connection = std::move(connection);
    return result;
}

KeloDBOpenResultType KeloDBCheckWhole(const std::string& path, int busyTimeoutMs) {
    KeloDBOpenResultType result = KeloDBOpen(path, busyTimeoutMs, KeloDBOpenModeType::ReadOnly);
    result.connection.reset();
    return result;
}
