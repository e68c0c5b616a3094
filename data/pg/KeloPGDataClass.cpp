#include "KeloPGDataClass.h"

#include "KeloDBValueClasses.h"
#include "KeloPGGuard.h"
#include "KeloPGKeloClass.h"
#include "KeloPGReadFeedPlan.h"
#include "KeloPGTopologyClass.h"

KeloPGDataClass::KeloPGDataClass(std::shared_ptr<KeloPGConnectionClass> connection,
                                 std::vector<std::string> selection)
    : connection(std::move(connection)), selection(std::move(selection)) {}

KeloKeloSetPtrClass KeloPGDataClass::GetKeloSet() {
    auto kelos = KeloPGGuard(*connection, std::vector<std::pair<std::int64_t, std::string>>(), [&] {
        std::vector<std::pair<std::int64_t, std::string>> found;
        KeloPGParamsClass params;
        std::string sql = "SELECT id, number FROM kelo ORDER BY id";
        if (!selection.empty()) {
            // One prepared statement per selection size; the codes are bound.
            std::string codes;
            for (std::size_t i = 0; i < selection.size(); ++i) {
                codes += (i ? ",$" : "$") + std::to_string(i + 1);
                params.Bytes(selection[i]);
            }
            // Two calls at selected stops are enough, even two at the same stop.
            sql = "SELECT k.id, k.number FROM kelo k WHERE k.id IN "
                  "(SELECT kelo_id FROM entry WHERE stop_id IN "
                  "(SELECT id FROM stop WHERE code IN (" +
                  codes + ")) GROUP BY kelo_id HAVING count(*) >= 2) ORDER BY k.id";
        }
        const KeloPGResultClass rows = connection->Query(sql, params);
        for (int r = 0; r < rows.Rows(); ++r)
            found.emplace_back(rows.Int(r, 0), rows.Bytes(r, 1));
        for (const auto& [id, number] : found)
            knownIds[number] = id;
        return found;
    });
    return KeloKeloSetPtrClass(new KeloPGKeloSetClass(connection, std::move(kelos)));
}

KeloStopSetPtrClass KeloPGDataClass::GetStopSet() {
    return KeloStopSetPtrClass(new KeloPGStopSetClass(connection));
}

KeloTopologyPtrClass KeloPGDataClass::GetTopology() {
    return KeloTopologyPtrClass(new KeloPGTopologyClass(connection));
}

KeloKeloPtrClass KeloPGDataClass::FindKelo(const std::string& number) {
    if (const auto known = knownIds.find(number); known != knownIds.end())
        return KeloKeloPtrClass(new KeloPGKeloClass(connection, known->second, number));
    return KeloPGGuard(*connection, KeloKeloPtrClass(), [&] {
        const KeloPGResultClass rows = connection->Query("SELECT id FROM kelo WHERE number = $1",
                                                         KeloPGParamsClass().Bytes(number));
        if (!rows.Rows())
            return KeloKeloPtrClass();
        knownIds[number] = rows.Int(0, 0);
        return KeloKeloPtrClass(new KeloPGKeloClass(connection, rows.Int(0, 0), number));
    });
}

KeloStopPtrClass KeloPGDataClass::FindStop(const std::string& code) {
    return KeloPGGuard(*connection, KeloStopPtrClass(), [&] {
        const KeloPGResultClass rows = connection->Query("SELECT name FROM stop WHERE code = $1",
                                                         KeloPGParamsClass().Bytes(code));
        if (!rows.Rows())
            return KeloStopPtrClass();
        return KeloStopPtrClass(new KeloDBStopClass(code, rows.Bytes(0, 0)));
    });
}

KeloBusPtrClass KeloPGDataClass::FindBus(const std::string& model) {
    return KeloPGGuard(*connection, KeloBusPtrClass(), [&] {
        const KeloPGResultClass rows =
            connection->Query("SELECT category, capacity FROM bus WHERE model = $1",
                              KeloPGParamsClass().Bytes(model));
        if (!rows.Rows())
            return KeloBusPtrClass();
        return KeloBusPtrClass(
            new KeloDBBusClass(model, rows.Bytes(0, 0), static_cast<std::int32_t>(rows.Int(0, 1))));
    });
}

KeloKeloPtrClass KeloPGDataClass::CreateKelo(const std::string& number) {
    if (number.empty())
        return KeloKeloPtrClass();
    knownIds.erase(number);
    return KeloPGGuard(*connection, KeloKeloPtrClass(), [&] {
        // ON CONFLICT: a number taken meanwhile by another planner answers "no kelo" rather
        // than failing the whole transaction.
        const KeloPGResultClass rows =
            connection->Query("INSERT INTO kelo(number, name, bus_id) VALUES ($1, $2, NULL) "
                              "ON CONFLICT (number) DO NOTHING RETURNING id",
                              KeloPGParamsClass().Bytes(number).Bytes(""));
        if (!rows.Rows())
            return KeloKeloPtrClass();
        return KeloKeloPtrClass(new KeloPGKeloClass(connection, rows.Int(0, 0), number));
    });
}

void KeloPGDataClass::DeleteKelo(const std::string& number) {
    knownIds.erase(number);
    KeloPGGuard(*connection, 0, [&] {
        connection->Query("DELETE FROM kelo WHERE number = $1", KeloPGParamsClass().Bytes(number));
        return 0;
    });
}

bool KeloPGDataClass::BeginTransaction() {
    transactionError.clear();
    if (connection->IsInTransaction()) {
        transactionError = "a transaction is already open";
        return false;
    }
    try {
        connection->Execute("BEGIN");
    } catch (const std::exception& error) {
        transactionError = error.what();
        return false;
    }
    connection->ClearFailure();
    return true;
}

bool KeloPGDataClass::CommitTransaction() {
    transactionError.clear();
    if (!connection->IsInTransaction()) {
        transactionError = connection->IsBroken() ? "the connection to the server was lost"
                                                  : "no transaction is open";
        connection->ClearFailure();
        return false;
    }
    std::string reason = connection->GetFailure();
    if (reason.empty()) {
        try {
            // Delivered with the commit, to every open plan on the database.
            connection->Execute("NOTIFY kelo_changes; COMMIT");
            return true;
        } catch (const std::exception& error) {
            reason = error.what();
        }
    }
    RollbackTransaction();
    transactionError = reason;
    return false;
}

void KeloPGDataClass::RollbackTransaction() {
    if (connection->IsInTransaction()) {
        try {
            connection->Execute("ROLLBACK");
        } catch (const std::exception& error) {
            transactionError = error.what();
        }
    }
    connection->ClearFailure();
}

std::string KeloPGDataClass::GetTransactionError() {
    return transactionError;
}

std::int64_t KeloPGDataClass::GetKeloVersion(const std::string& number) {
    return KeloPGGuard(*connection, std::int64_t(0), [&] {
        const KeloPGResultClass rows = connection->Query(
            "SELECT version FROM kelo WHERE number = $1", KeloPGParamsClass().Bytes(number));
        return rows.Rows() ? rows.Int(0, 0) : std::int64_t(0);
    });
}

bool KeloPGDataClass::ClaimKelo(const std::string& number, std::int64_t readVersion) {
    // The row lock this takes holds off any other save of the kelo until we commit; one that
    // waited finds the raised version and is refused.
    return KeloPGGuard(*connection, false, [&] {
        return connection
                   ->Query("UPDATE kelo SET version = version + 1 WHERE number = $1 "
                           "AND version = $2",
                           KeloPGParamsClass().Bytes(number).Int(readVersion))
                   .Changed() == 1;
    });
}

KeloDataPtrClass KeloPGDataClass::SelectStops(const std::vector<std::string>& stopCodes) {
    return KeloDataPtrClass(new KeloPGDataClass(connection, stopCodes));
}

std::vector<std::string> KeloPGDataClass::TakeChangedKelos() {
    return KeloPGGuard(*connection, std::vector<std::string>(), [&] {
        const bool first = !listening;
        const std::uint64_t now = connection->PollNotifications();
        if (first) {
            // LISTEN again on a shared connection changes nothing.
            connection->Execute("LISTEN kelo_changes");
            listening = true;
        } else if (now == seenNotifications) {
            return std::vector<std::string>();
        }
        seenNotifications = now;
        std::map<std::string, std::int64_t> versions;
        const KeloPGResultClass rows = connection->Query("SELECT number, version FROM kelo");
        for (int r = 0; r < rows.Rows(); ++r)
            versions.emplace(rows.Bytes(r, 0), rows.Int(r, 1));
        std::vector<std::string> changed = KeloDiffVersions(seenVersions, std::move(versions));
        for (const std::string& number : changed)
            knownIds.erase(number);
        return first ? std::vector<std::string>() : changed;
    });
}

KeloFeedPlanType KeloPGDataClass::ReadFeedPlan() {
    return KeloPGReadFeedPlan(*connection);
}

std::optional<KeloFeedRouteType> KeloPGDataClass::GetKeloRoute(const std::string& number) {
    return KeloPGGuard(*connection, std::optional<KeloFeedRouteType>(), [&] {
        const KeloPGResultClass rows =
            connection->Query("SELECT route_id, route_short_name, route_long_name, route_type "
                              "FROM kelo WHERE number = $1",
                              KeloPGParamsClass().Bytes(number));
        if (!rows.Rows() || rows.IsNull(0, 0))
            return std::optional<KeloFeedRouteType>();
        return std::optional<KeloFeedRouteType>(
            KeloFeedRouteType{rows.Bytes(0, 0), rows.Bytes(0, 1), rows.Bytes(0, 2),
                              static_cast<std::int32_t>(rows.Int(0, 3))});
    });
}

bool KeloPGDataClass::SetKeloRoute(const std::string& number,
                                   const std::optional<KeloFeedRouteType>& route) {
    return KeloPGGuard(*connection, true, [&] {
        KeloPGParamsClass params;
        if (route)
            params.Bytes(route->id).Bytes(route->shortName).Bytes(route->longName).Int(route->type);
        else
            params.Null().Null().Null().Null();
        connection->Query("UPDATE kelo SET route_id = $1, route_short_name = $2, "
                          "route_long_name = $3, route_type = $4, trip_id = NULL "
                          "WHERE number = $5",
                          params.Bytes(number));
        return true;
    });
}
