#include "KeloPGKeloClass.h"

#include "KeloDBValueClasses.h"
#include "KeloPGGuard.h"
#include "KeloPGKeloScheduleClass.h"

namespace {

KeloTimeType TimeAt(const KeloPGResultClass& rows, int row, int column) {
    return rows.IsNull(row, column)
               ? KeloTimeType()
               : KeloTimeType(static_cast<std::int32_t>(rows.Int(row, column)));
}

} // namespace

KeloPGKeloClass::KeloPGKeloClass(std::shared_ptr<KeloPGConnectionClass> connection, std::int64_t id,
                                 std::string number)
    : connection(std::move(connection)), id(id), number(std::move(number)) {}

std::string KeloPGKeloClass::GetName() {
    return KeloPGGuard(*connection, std::string(), [&] {
        const KeloPGResultClass rows =
            connection->Query("SELECT name FROM kelo WHERE id = $1", KeloPGParamsClass().Int(id));
        return rows.Rows() ? rows.Bytes(0, 0) : std::string();
    });
}

KeloKeloSchedulePtrClass KeloPGKeloClass::GetSchedule() {
    return KeloKeloSchedulePtrClass(new KeloPGKeloScheduleClass(connection, id));
}

KeloBusPtrClass KeloPGKeloClass::GetBus() {
    return KeloPGGuard(*connection, KeloBusPtrClass(), [&] {
        const KeloPGResultClass rows =
            connection->Query("SELECT b.model, b.category, b.capacity FROM kelo k "
                              "JOIN bus b ON b.id = k.bus_id WHERE k.id = $1",
                              KeloPGParamsClass().Int(id));
        if (!rows.Rows())
            return KeloBusPtrClass();
        return KeloBusPtrClass(new KeloDBBusClass(rows.Bytes(0, 0), rows.Bytes(0, 1),
                                                  static_cast<std::int32_t>(rows.Int(0, 2))));
    });
}

std::vector<KeloPGKeloClass::LegType> KeloPGKeloClass::Legs() {
    return KeloPGGuard(*connection, std::vector<LegType>(), [&] {
        // Positions run 0..n-1 without gaps, so the next entry is the one at seq + 1.
        const KeloPGResultClass rows = connection->Query(
            "SELECT e.arrival, e.stay, n.arrival, l.km FROM entry e "
            "JOIN entry n ON n.kelo_id = e.kelo_id AND n.seq = e.seq + 1 "
            "JOIN link l ON l.stop_a = LEAST(e.stop_id, n.stop_id) "
            "AND l.stop_b = GREATEST(e.stop_id, n.stop_id) WHERE e.kelo_id = $1 ORDER BY e.seq",
            KeloPGParamsClass().Int(id));
        std::vector<LegType> legs;
        for (int r = 0; r < rows.Rows(); ++r)
            legs.push_back(LegType{KeloDeparture(TimeAt(rows, r, 0), TimeAt(rows, r, 1)),
                                   TimeAt(rows, r, 2), static_cast<float>(rows.Double(r, 3))});
        return legs;
    });
}

float KeloPGKeloClass::GetAverageSpeed() {
    KeloTimeType running(0);
    float distance = 0;
    for (const LegType& leg : Legs()) {
        if (leg.departure.IsEmpty() || leg.next.IsEmpty())
            continue;
        running += DayWrapDuration(leg.departure, leg.next);
        distance += leg.km;
    }
    if (running.IsZero())
        return 0;
    return distance / (static_cast<float>(running.GetTotalMinutes()) * (1.0f / 60.0f));
}

float KeloPGKeloClass::GetDistance() {
    float distance = 0;
    for (const LegType& leg : Legs())
        distance += leg.km;
    return distance;
}

void KeloPGKeloClass::SetName(const std::string& name) {
    KeloPGGuard(*connection, 0, [&] {
        connection->Query("UPDATE kelo SET name = $1 WHERE id = $2",
                          KeloPGParamsClass().Bytes(name).Int(id));
        return 0;
    });
}

void KeloPGKeloClass::SetBus(const std::string& model) {
    KeloPGGuard(*connection, 0, [&] {
        if (model.empty())
            connection->Query("UPDATE kelo SET bus_id = NULL WHERE id = $1",
                              KeloPGParamsClass().Int(id));
        else
            connection->Query("UPDATE kelo SET bus_id = b.id FROM bus b "
                              "WHERE kelo.id = $1 AND b.model = $2",
                              KeloPGParamsClass().Int(id).Bytes(model));
        return 0;
    });
}

KeloPGKeloSetClass::KeloPGKeloSetClass(std::shared_ptr<KeloPGConnectionClass> connection,
                                       std::vector<std::pair<std::int64_t, std::string>> kelos)
    : connection(std::move(connection)), kelos(std::move(kelos)) {}

KeloKeloPtrClass KeloPGKeloSetClass::GetItem(std::int32_t index) {
    if (index < 0 || index >= GetCount())
        return KeloKeloPtrClass();
    // Not asked again whether the kelo still exists: one deleted since reads as empty, and a
    // round trip per item would cost every list a window fills.
    return KeloKeloPtrClass(
        new KeloPGKeloClass(connection, kelos[index].first, kelos[index].second));
}
