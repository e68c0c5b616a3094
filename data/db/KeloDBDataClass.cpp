#include "KeloDBDataClass.h"

#include "KeloDBErrorClass.h"
#include "KeloDBGuard.h"
#include "KeloDBKeloClass.h"
#include "KeloDBPrefetchClass.h"
#include "KeloDBReadFeedPlan.h"
#include "KeloDBRouteColumns.h"
#include "KeloDBTopologyClass.h"
#include "KeloDBValueClasses.h"

#include <sqlite3.h>

KeloDBDataClass::KeloDBDataClass(std::shared_ptr<KeloDBConnectionClass> connection,
                                 std::vector<std::string> selection)
    : connection(std::move(connection)), selection(std::move(selection)) {}

std::vector<KeloDBDataClass::OfferedType> KeloDBDataClass::Offered() {
    if (const KeloDBPrefetchClass* bulk = KeloDBPrefetch(*connection, selection)) {
        std::vector<OfferedType> offered;
        for (const KeloDBPrefetchedKeloType& kelo : bulk->GetKelos())
            offered.push_back(OfferedType{kelo.id, kelo.number});
        return offered;
    }
    return KeloDBGuard(*connection, std::vector<OfferedType>(), [&] {
        std::vector<OfferedType> offered;
        if (selection.empty()) {
            KeloDBQueryClass query(*connection, "SELECT id, number FROM kelo ORDER BY id");
            while (query->Step())
                offered.push_back(OfferedType{query->ColumnInt(0), query->ColumnBytes(1)});
            return offered;
        }
        // The statement depends on the selection's size and is not kept.
        std::string codes;
        for (std::size_t i = 0; i < selection.size(); ++i)
            codes += i ? ",?" : "?";
        // Two calls at selected stops are enough, even two at the same stop.
        KeloDBStatementClass query(connection->GetHandle(),
                                   "SELECT k.id, k.number FROM kelo k WHERE k.id IN "
                                   "(SELECT kelo_id FROM entry WHERE stop_id IN "
                                   "(SELECT id FROM stop WHERE code IN (" +
                                       codes +
                                       ")) GROUP BY kelo_id HAVING count(*) >= 2) "
                                       "ORDER BY k.id");
        for (std::size_t i = 0; i < selection.size(); ++i)
            query.Bind(static_cast<int>(i + 1), selection[i]);
        while (query.Step())
            offered.push_back(OfferedType{query.ColumnInt(0), query.ColumnBytes(1)});
        return offered;
    });
}

std::vector<std::string> KeloDBDataClass::GetOfferedNumbers() {
    std::vector<std::string> numbers;
    for (OfferedType& kelo : Offered())
        numbers.push_back(std::move(kelo.number));
    return numbers;
}

KeloKeloSetPtrClass KeloDBDataClass::GetKeloSet() {
    std::vector<std::pair<std::int64_t, std::string>> kelos;
    for (OfferedType& kelo : Offered())
        kelos.emplace_back(kelo.id, std::move(kelo.number));
    return KeloKeloSetPtrClass(new KeloDBKeloSetClass(connection, std::move(kelos)));
}

KeloStopSetPtrClass KeloDBDataClass::GetStopSet() {
    return KeloStopSetPtrClass(new KeloDBStopSetClass(connection));
}

KeloTopologyPtrClass KeloDBDataClass::GetTopology() {
    return KeloTopologyPtrClass(new KeloDBTopologyClass(connection));
}

KeloKeloPtrClass KeloDBDataClass::FindKelo(const std::string& number) {
    if (const KeloDBPrefetchClass* bulk = KeloDBPrefetched(*connection))
        if (const KeloDBPrefetchedKeloType* kelo = bulk->FindByNumber(number))
            return KeloKeloPtrClass(new KeloDBKeloClass(connection, kelo->id, number));
    return KeloDBGuard(*connection, KeloKeloPtrClass(), [&] {
        KeloDBQueryClass query(*connection, "SELECT id FROM kelo WHERE number = ?");
        query->Bind(1, number);
        if (!query->Step())
            return KeloKeloPtrClass();
        return KeloKeloPtrClass(new KeloDBKeloClass(connection, query->ColumnInt(0), number));
    });
}

KeloStopPtrClass KeloDBDataClass::FindStop(const std::string& code) {
    return KeloDBGuard(*connection, KeloStopPtrClass(), [&] {
        KeloDBQueryClass query(*connection, "SELECT name FROM stop WHERE code = ?");
        query->Bind(1, code);
        if (!query->Step())
            return KeloStopPtrClass();
        return KeloStopPtrClass(new KeloDBStopClass(code, query->ColumnBytes(0)));
    });
}

KeloBusPtrClass KeloDBDataClass::FindBus(const std::string& model) {
    return KeloDBGuard(*connection, KeloBusPtrClass(), [&] {
        KeloDBQueryClass query(*connection, "SELECT category, capacity FROM bus WHERE model = ?");
        query->Bind(1, model);
        if (!query->Step())
            return KeloBusPtrClass();
        return KeloBusPtrClass(new KeloDBBusClass(model, query->ColumnBytes(0),
                                                  static_cast<std::int32_t>(query->ColumnInt(1))));
    });
}

KeloKeloPtrClass KeloDBDataClass::CreateKelo(const std::string& number) {
    if (number.empty() || !FindKelo(number).IsNull())
        return KeloKeloPtrClass();
    return KeloDBGuard(*connection, KeloKeloPtrClass(), [&] {
        KeloDBQueryClass insert(*connection,
                                "INSERT INTO kelo(number, name, bus_id) VALUES (?, ?, NULL)");
        insert->Bind(1, number);
        insert->Bind(2, std::string_view());
        insert->Run();
        return KeloKeloPtrClass(
            new KeloDBKeloClass(connection, connection->GetLastInsertId(), number));
    });
}

void KeloDBDataClass::DeleteKelo(const std::string& number) {
    KeloDBGuard(*connection, 0, [&] {
        KeloDBQueryClass erase(*connection, "DELETE FROM kelo WHERE number = ?");
        erase->Bind(1, number);
        erase->Run();
        return 0;
    });
}

bool KeloDBDataClass::BeginTransaction() {
    transactionError.clear();
    lockedOut = false;
    if (connection->IsInTransaction()) {
        transactionError = "a transaction is already open";
        return false;
    }
    try {
        // IMMEDIATE takes the write lock now (waiting the busy timeout), so a locked
        // database is found before anything is written.
        connection->Execute("BEGIN IMMEDIATE");
        // A save reads what it checks and writes afresh: another planner may have written
        // since the bulk read.
        connection->SetPrefetch(nullptr);
    } catch (const KeloDBErrorClass& error) {
        transactionError = error.what();
        lockedOut = error.GetCode() == SQLITE_BUSY;
        return false;
    }
    connection->ClearFailure();
    return true;
}

bool KeloDBDataClass::CommitTransaction() {
    transactionError.clear();
    lockedOut = false;
    if (!connection->IsInTransaction()) {
        transactionError = "no transaction is open";
        return false;
    }
    std::string reason = connection->GetFailure();
    if (reason.empty()) {
        try {
            connection->Execute("COMMIT");
            return true;
        } catch (const KeloDBErrorClass& error) {
            reason = error.what();
            lockedOut = error.GetCode() == SQLITE_BUSY;
        }
    }
    RollbackTransaction();
    transactionError = reason;
    return false;
}

void KeloDBDataClass::RollbackTransaction() {
    if (connection->IsInTransaction()) {
        try {
            connection->Execute("ROLLBACK");
        } catch (const std::exception& error) {
            transactionError = error.what();
        }
    }
    connection->ClearFailure();
}

std::string KeloDBDataClass::GetTransactionError() {
    return transactionError;
}

bool KeloDBDataClass::WasLockedOut() {
    return lockedOut;
}

std::int64_t KeloDBDataClass::GetKeloVersion(const std::string& number) {
    // Opening a line asks for every kelo's version: the bulk read has them all.
    if (const KeloDBPrefetchClass* bulk = KeloDBPrefetched(*connection))
        if (const KeloDBPrefetchedKeloType* kelo = bulk->FindByNumber(number))
            return kelo->version;
    return KeloDBGuard(*connection, std::int64_t(0), [&] {
        KeloDBQueryClass query(*connection, "SELECT version FROM kelo WHERE number = ?");
        query->Bind(1, number);
        return query->Step() ? query->ColumnInt(0) : std::int64_t(0);
    });
}

bool KeloDBDataClass::ClaimKelo(const std::string& number, std::int64_t readVersion) {
    // One statement checks and raises, so no other save can slip in between the two.
    return KeloDBGuard(*connection, false, [&] {
        KeloDBQueryClass claim(*connection,
                               "UPDATE kelo SET version = version + 1 WHERE number = ? "
                               "AND version = ?");
        claim->Bind(1, number);
        claim->Bind(2, readVersion);
        claim->Run();
        return connection->GetChanges() == 1;
    });
}

KeloDataPtrClass KeloDBDataClass::SelectStops(const std::vector<std::string>& stopCodes) {
    return KeloDataPtrClass(new KeloDBDataClass(connection, stopCodes));
}

std::vector<std::string> KeloDBDataClass::TakeChangedKelos() {
    return KeloDBGuard(*connection, std::vector<std::string>(), [&] {
        const std::int64_t now = connection->QueryInt("PRAGMA data_version");
        if (now == dataVersion)
            return std::vector<std::string>();
        const bool first = dataVersion < 0;
        dataVersion = now;
        // Another connection wrote: what was read in bulk no longer holds.
        if (!first)
            connection->SetPrefetch(nullptr);
        std::map<std::string, std::int64_t> versions;
        KeloDBQueryClass query(*connection, "SELECT number, version FROM kelo");
        while (query->Step())
            versions.emplace(query->ColumnBytes(0), query->ColumnInt(1));
        std::vector<std::string> changed = KeloDiffVersions(seenVersions, std::move(versions));
        return first ? std::vector<std::string>() : changed;
    });
}

KeloFeedPlanType KeloDBDataClass::ReadFeedPlan() {
    return KeloDBReadFeedPlan(*connection);
}

std::optional<KeloFeedRouteType> KeloDBDataClass::GetKeloRoute(const std::string& number) {
    return KeloDBGuard(*connection, std::optional<KeloFeedRouteType>(), [&] {
        KeloDBQueryClass query(*connection,
                               "SELECT route_id, route_short_name, route_long_name, route_type "
                               "FROM kelo WHERE number = ?");
        query->Bind(1, number);
        if (!query->Step() || query->IsNull(0))
            return std::optional<KeloFeedRouteType>();
        return std::optional<KeloFeedRouteType>(
            KeloFeedRouteType{query->ColumnBytes(0), query->ColumnBytes(1), query->ColumnBytes(2),
                              static_cast<std::int32_t>(query->ColumnInt(3))});
    });
}

bool KeloDBDataClass::SetKeloRoute(const std::string& number,
                                   const std::optional<KeloFeedRouteType>& route) {
    return KeloDBGuard(*connection, true, [&] {
        KeloDBQueryClass update(*connection, "UPDATE kelo SET route_id = ?, route_short_name = ?, "
                                             "route_long_name = ?, route_type = ?, trip_id = NULL "
                                             "WHERE number = ?");
        KeloDBBindRoute(*update, 1, route);
        update->Bind(5, number);
        update->Run();
        return true;
    });
}
