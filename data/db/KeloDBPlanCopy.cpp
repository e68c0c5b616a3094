#include "KeloDBPlanCopy.h"

#include "KeloDBConnectionClass.h"
#include "KeloDBGuard.h"

void KeloDBReadPlan(KeloDBConnectionClass& connection, KeloPlanWriterClass& writer) {
    connection.Execute("BEGIN");
    try {
        {
            KeloDBQueryClass rows(connection,
                                  "SELECT model, category, capacity FROM bus ORDER BY id");
            while (rows->Step())
                writer.AddBus(rows->ColumnBytes(0), rows->ColumnBytes(1),
                              static_cast<std::int32_t>(rows->ColumnInt(2)));
        }
        {
            KeloDBQueryClass rows(connection, "SELECT code, name, lat, lon FROM stop ORDER BY id");
            while (rows->Step()) {
                writer.AddStop(rows->ColumnBytes(0), rows->ColumnBytes(1));
                if (!rows->IsNull(2) && !rows->IsNull(3))
                    writer.SetStopPosition(rows->ColumnBytes(0), rows->ColumnDouble(2),
                                           rows->ColumnDouble(3));
            }
        }
        {
            KeloDBQueryClass rows(connection,
                                  "SELECT a.code, b.code, l.km FROM link l JOIN stop a ON "
                                  "a.id = l.stop_a JOIN stop b ON b.id = l.stop_b "
                                  "ORDER BY l.stop_a, l.stop_b");
            while (rows->Step())
                writer.AddLink(rows->ColumnBytes(0), rows->ColumnBytes(1),
                               static_cast<float>(rows->ColumnDouble(2)));
        }
        // Kelos with their entries in one pass: a kelo without entries still comes once.
        {
            KeloDBQueryClass rows(
                connection,
                "SELECT k.id, k.number, k.name, b.model, s.code, e.arrival, e.stay, k.route_id, "
                "k.route_short_name, k.route_long_name, k.route_type, k.trip_id "
                "FROM kelo k LEFT JOIN bus b ON b.id = k.bus_id "
                "LEFT JOIN entry e ON e.kelo_id = k.id "
                "LEFT JOIN stop s ON s.id = e.stop_id ORDER BY k.id, e.seq");
            std::int64_t last = -1;
            while (rows->Step()) {
                if (rows->ColumnInt(0) != last) {
                    last = rows->ColumnInt(0);
                    writer.AddKelo(rows->ColumnBytes(1), rows->ColumnBytes(2),
                                   rows->IsNull(3) ? std::string() : rows->ColumnBytes(3));
                    std::optional<KeloFeedRouteType> route;
                    if (!rows->IsNull(7))
                        route = KeloFeedRouteType{rows->ColumnBytes(7), rows->ColumnBytes(8),
                                                  rows->ColumnBytes(9),
                                                  static_cast<std::int32_t>(rows->ColumnInt(10))};
                    if (route || !rows->IsNull(11))
                        writer.SetKeloFeedDetails(route, rows->ColumnBytes(11));
                }
                if (!rows->IsNull(4))
                    writer.AddEntry(rows->ColumnBytes(4), KeloDBColumnTime(*rows, 5),
                                    KeloDBColumnTime(*rows, 6));
            }
        }
        KeloDBQueryClass agency(connection,
                                "SELECT name, url, timezone, language FROM agency ORDER BY id");
        if (agency->Step())
            writer.SetAgency(KeloFeedAgencyType{agency->ColumnBytes(0), agency->ColumnBytes(1),
                                                agency->ColumnBytes(2), agency->ColumnBytes(3)});
    } catch (...) {
        connection.Execute("ROLLBACK");
        throw;
    }
    connection.Execute("COMMIT");
    writer.Commit();
}
