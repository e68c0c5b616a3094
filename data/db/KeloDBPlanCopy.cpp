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
            KeloDBQueryClass rows(connection, "SELECT code, name FROM stop ORDER BY id");
            while (rows->Step())
                writer.AddStop(rows->ColumnBytes(0), rows->ColumnBytes(1));
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
        KeloDBQueryClass rows(connection,
                              "SELECT k.id, k.number, k.name, b.model, s.code, e.arrival, e.stay "
                              "FROM kelo k LEFT JOIN bus b ON b.id = k.bus_id "
                              "LEFT JOIN entry e ON e.kelo_id = k.id "
                              "LEFT JOIN stop s ON s.id = e.stop_id ORDER BY k.id, e.seq");
        std::int64_t last = -1;
        while (rows->Step()) {
            if (rows->ColumnInt(0) != last) {
                last = rows->ColumnInt(0);
                writer.AddKelo(rows->ColumnBytes(1), rows->ColumnBytes(2),
                               rows->IsNull(3) ? std::string() : rows->ColumnBytes(3));
            }
            if (!rows->IsNull(4))
                writer.AddEntry(rows->ColumnBytes(4), KeloDBColumnTime(*rows, 5),
                                KeloDBColumnTime(*rows, 6));
        }
    } catch (...) {
        connection.Execute("ROLLBACK");
        throw;
    }
    connection.Execute("COMMIT");
    writer.Commit();
}
