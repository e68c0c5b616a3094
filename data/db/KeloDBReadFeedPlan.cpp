#include "KeloDBReadFeedPlan.h"

#include "KeloDBConnectionClass.h"
#include "KeloDBGuard.h"

#include <exception>
#include <unordered_map>

namespace {

void ReadStops(KeloDBConnectionClass& connection, KeloFeedPlanType& plan,
               std::unordered_map<std::int64_t, std::uint32_t>& stopIndex) {
    KeloDBStatementClass query(connection.GetHandle(),
                               "SELECT id, code, name, lat, lon FROM stop ORDER BY id");
    while (query.Step()) {
        KeloFeedStopType stop{query.ColumnBytes(1), query.ColumnBytes(2), {}, {}};
        if (!query.IsNull(3) && !query.IsNull(4)) {
            stop.latitude = query.ColumnDouble(3);
            stop.longitude = query.ColumnDouble(4);
        }
        stopIndex.emplace(query.ColumnInt(0), static_cast<std::uint32_t>(plan.stops.size()));
        plan.stops.push_back(std::move(stop));
    }
}

void ReadKelos(KeloDBConnectionClass& connection, KeloFeedPlanType& plan,
               std::unordered_map<std::int64_t, std::uint32_t>& keloIndex) {
    KeloDBStatementClass query(
        connection.GetHandle(),
        "SELECT k.id, k.number, k.name, b.model, k.route_id, k.route_short_name, "
        "k.route_long_name, k.route_type, k.trip_id FROM kelo k "
        "LEFT JOIN bus b ON b.id = k.bus_id ORDER BY k.id");
    while (query.Step()) {
        KeloFeedKeloType kelo;
        kelo.number = query.ColumnBytes(1);
        kelo.name = query.ColumnBytes(2);
        if (!query.IsNull(3))
            kelo.busModel = query.ColumnBytes(3);
        if (!query.IsNull(4))
            kelo.route =
                KeloFeedRouteType{query.ColumnBytes(4), query.ColumnBytes(5), query.ColumnBytes(6),
                                  static_cast<std::int32_t>(query.ColumnInt(7))};
        kelo.tripId = query.ColumnBytes(8);
        keloIndex.emplace(query.ColumnInt(0), static_cast<std::uint32_t>(plan.kelos.size()));
        plan.kelos.push_back(std::move(kelo));
    }
}

void ReadEntries(KeloDBConnectionClass& connection, KeloFeedPlanType& plan,
                 const std::unordered_map<std::int64_t, std::uint32_t>& stopIndex,
                 const std::unordered_map<std::int64_t, std::uint32_t>& keloIndex) {
    KeloDBStatementClass query(connection.GetHandle(),
                               "SELECT kelo_id, stop_id, arrival, stay FROM entry "
                               "ORDER BY kelo_id, seq");
    std::int64_t lastKelo = -1;
    KeloFeedKeloType* kelo = nullptr;
    while (query.Step()) {
        if (query.ColumnInt(0) != lastKelo) {
            lastKelo = query.ColumnInt(0);
            kelo = &plan.kelos[keloIndex.at(lastKelo)];
        }
        kelo->entries.push_back(KeloFeedEntryType{stopIndex.at(query.ColumnInt(1)),
                                                  KeloDBColumnTime(query, 2),
                                                  KeloDBColumnTime(query, 3)});
    }
}

void ReadAgency(KeloDBConnectionClass& connection, KeloFeedPlanType& plan) {
    KeloDBStatementClass query(connection.GetHandle(),
                               "SELECT name, url, timezone, language FROM agency ORDER BY id");
    if (query.Step())
        plan.agency = KeloFeedAgencyType{query.ColumnBytes(0), query.ColumnBytes(1),
                                         query.ColumnBytes(2), query.ColumnBytes(3)};
}

} // namespace

KeloFeedPlanType KeloDBReadFeedPlan(KeloDBConnectionClass& connection) {
    const bool ownTransaction = !connection.IsInTransaction();
    if (ownTransaction)
        connection.Execute("BEGIN");
    try {
        KeloFeedPlanType plan;
        std::unordered_map<std::int64_t, std::uint32_t> stopIndex;
        std::unordered_map<std::int64_t, std::uint32_t> keloIndex;
        ReadStops(connection, plan, stopIndex);
        ReadKelos(connection, plan, keloIndex);
        ReadEntries(connection, plan, stopIndex, keloIndex);
        ReadAgency(connection, plan);
        if (ownTransaction)
            connection.Execute("COMMIT");
        return plan;
    } catch (...) {
        if (ownTransaction) {
            try {
                connection.Execute("ROLLBACK");
            } catch (const std::exception&) {
                // The read's own failure is the one to report.
            }
        }
        throw;
    }
}
