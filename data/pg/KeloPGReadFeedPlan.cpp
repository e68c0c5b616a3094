#include "KeloPGReadFeedPlan.h"

#include "KeloPGConnectionClass.h"

#include <exception>
#include <unordered_map>

namespace {

KeloTimeType TimeAt(const KeloPGResultClass& rows, int row, int column) {
    return rows.IsNull(row, column)
               ? KeloTimeType()
               : KeloTimeType(static_cast<std::int32_t>(rows.Int(row, column)));
}

KeloFeedPlanType ReadTables(KeloPGConnectionClass& connection) {
    KeloFeedPlanType plan;
    std::unordered_map<std::int64_t, std::uint32_t> stopIndex, keloIndex;

    const KeloPGResultClass stops =
        connection.Query("SELECT id, code, name, lat, lon FROM stop ORDER BY id");
    plan.stops.reserve(static_cast<std::size_t>(stops.Rows()));
    for (int r = 0; r < stops.Rows(); ++r) {
        KeloFeedStopType stop{stops.Bytes(r, 1), stops.Bytes(r, 2), {}, {}};
        if (!stops.IsNull(r, 3) && !stops.IsNull(r, 4)) {
            stop.latitude = stops.Double(r, 3);
            stop.longitude = stops.Double(r, 4);
        }
        stopIndex.emplace(stops.Int(r, 0), static_cast<std::uint32_t>(plan.stops.size()));
        plan.stops.push_back(std::move(stop));
    }

    const KeloPGResultClass kelos =
        connection.Query("SELECT k.id, k.number, k.name, b.model, k.route_id, "
                         "k.route_short_name, k.route_long_name, k.route_type, k.trip_id "
                         "FROM kelo k LEFT JOIN bus b ON b.id = k.bus_id ORDER BY k.id");
    plan.kelos.reserve(static_cast<std::size_t>(kelos.Rows()));
    for (int r = 0; r < kelos.Rows(); ++r) {
        KeloFeedKeloType kelo;
        kelo.number = kelos.Bytes(r, 1);
        kelo.name = kelos.Bytes(r, 2);
        kelo.busModel = kelos.Bytes(r, 3);
        if (!kelos.IsNull(r, 4))
            kelo.route = KeloFeedRouteType{kelos.Bytes(r, 4), kelos.Bytes(r, 5), kelos.Bytes(r, 6),
                                           static_cast<std::int32_t>(kelos.Int(r, 7))};
        kelo.tripId = kelos.Bytes(r, 8);
        keloIndex.emplace(kelos.Int(r, 0), static_cast<std::uint32_t>(plan.kelos.size()));
        plan.kelos.push_back(std::move(kelo));
    }

    const KeloPGResultClass entries =
        connection.Query("SELECT kelo_id, stop_id, arrival, stay FROM entry ORDER BY kelo_id, seq");
    std::int64_t lastKelo = -1;
    KeloFeedKeloType* kelo = nullptr;
    for (int r = 0; r < entries.Rows(); ++r) {
        if (entries.Int(r, 0) != lastKelo) {
            lastKelo = entries.Int(r, 0);
            kelo = &plan.kelos[keloIndex.at(lastKelo)];
        }
        kelo->entries.push_back(KeloFeedEntryType{stopIndex.at(entries.Int(r, 1)),
                                                  TimeAt(entries, r, 2), TimeAt(entries, r, 3)});
    }

    const KeloPGResultClass agency =
        connection.Query("SELECT name, url, timezone, language FROM agency ORDER BY id LIMIT 1");
    if (agency.Rows())
        plan.agency = KeloFeedAgencyType{agency.Bytes(0, 0), agency.Bytes(0, 1), agency.Bytes(0, 2),
                                         agency.Bytes(0, 3)};
    return plan;
}

} // namespace

KeloFeedPlanType KeloPGReadFeedPlan(KeloPGConnectionClass& connection) {
    if (connection.IsInTransaction())
        return ReadTables(connection);
    connection.Execute("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    try {
        KeloFeedPlanType plan = ReadTables(connection);
        connection.Execute("COMMIT");
        return plan;
    } catch (...) {
        try {
            connection.Execute("ROLLBACK");
        } catch (const std::exception&) {
            // The read's own failure is the one to report.
        }
        throw;
    }
}
