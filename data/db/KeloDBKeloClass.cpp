#include "KeloDBKeloClass.h"

#include "KeloAverageSpeed.h"
#include "KeloDBGuard.h"
#include "KeloDBKeloScheduleClass.h"
#include "KeloDBPrefetchClass.h"
#include "KeloDBValueClasses.h"

KeloDBKeloClass::KeloDBKeloClass(std::shared_ptr<KeloDBConnectionClass> connection, std::int64_t id,
                                 std::string number)
    : connection(std::move(connection)), id(id), number(std::move(number)) {}

std::string KeloDBKeloClass::GetNumber() {
    return number;
}

std::string KeloDBKeloClass::GetName() {
    if (const KeloDBPrefetchedKeloType* kelo = KeloDBPrefetchedKelo(*connection, id))
        return kelo->name;
    return KeloDBGuard(*connection, std::string(), [&] {
        KeloDBQueryClass query(*connection, "SELECT name FROM kelo WHERE id = ?");
        query->Bind(1, id);
        return query->Step() ? query->ColumnBytes(0) : std::string();
    });
}

KeloKeloSchedulePtrClass KeloDBKeloClass::GetSchedule() {
    return KeloKeloSchedulePtrClass(new KeloDBKeloScheduleClass(connection, id));
}

KeloBusPtrClass KeloDBKeloClass::GetBus() {
    if (const KeloDBPrefetchedKeloType* kelo = KeloDBPrefetchedKelo(*connection, id))
        return kelo->hasBus ? KeloBusPtrClass(new KeloDBBusClass(kelo->busModel, kelo->busCategory,
                                                                 kelo->busCapacity))
                            : KeloBusPtrClass();
    return KeloDBGuard(*connection, KeloBusPtrClass(), [&] {
        KeloDBQueryClass query(*connection, "SELECT b.model, b.category, b.capacity FROM kelo k "
                                            "JOIN bus b ON b.id = k.bus_id WHERE k.id = ?");
        query->Bind(1, id);
        if (!query->Step())
            return KeloBusPtrClass();
        return KeloBusPtrClass(new KeloDBBusClass(query->ColumnBytes(0), query->ColumnBytes(1),
                                                  static_cast<std::int32_t>(query->ColumnInt(2))));
    });
}

std::vector<KeloDBKeloClass::LegType> KeloDBKeloClass::Legs() {
    if (const KeloDBPrefetchedKeloType* kelo = KeloDBPrefetchedKelo(*connection, id);
        kelo != nullptr && kelo->entriesHeld) {
        std::vector<LegType> legs;
        for (const KeloDBPrefetchedLegType& leg : kelo->legs)
            legs.push_back(LegType{leg.departure, leg.next, leg.km});
        return legs;
    }
    return KeloDBGuard(*connection, std::vector<LegType>(), [&] {
        // Positions run 0..n-1 without gaps, so the next entry is the one at seq + 1.
        KeloDBQueryClass query(*connection,
                               "SELECT e.arrival, e.stay, n.arrival, l.km FROM entry e "
                               "JOIN entry n ON n.kelo_id = e.kelo_id AND n.seq = e.seq + 1 "
                               "JOIN link l ON l.stop_a = min(e.stop_id, n.stop_id) "
                               "AND l.stop_b = max(e.stop_id, n.stop_id) "
                               "WHERE e.kelo_id = ? ORDER BY e.seq");
        query->Bind(1, id);
        std::vector<LegType> legs;
        while (query->Step())
            legs.push_back(
                LegType{KeloDeparture(KeloDBColumnTime(*query, 0), KeloDBColumnTime(*query, 1)),
                        KeloDBColumnTime(*query, 2), static_cast<float>(query->ColumnDouble(3))});
        return legs;
    });
}

float KeloDBKeloClass::GetAverageSpeed() {
    // Legs() joins the links, so every leg it gives has one.
    KeloAverageSpeedType speed;
    for (const LegType& leg : Legs())
        speed.AddRun(leg.departure, leg.next, leg.km);
    return speed.Speed();
}

float KeloDBKeloClass::GetDistance() {
    float distance = 0;
    for (const LegType& leg : Legs())
        distance += leg.km;
    return distance;
}

void KeloDBKeloClass::SetName(const std::string& name) {
    KeloDBGuard(*connection, 0, [&] {
        KeloDBQueryClass update(*connection, "UPDATE kelo SET name = ? WHERE id = ?");
        update->Bind(1, name);
        update->Bind(2, id);
        update->Run();
        return 0;
    });
}

void KeloDBKeloClass::SetBus(const std::string& model) {
    KeloDBGuard(*connection, 0, [&] {
        if (model.empty()) {
            KeloDBQueryClass update(*connection, "UPDATE kelo SET bus_id = NULL WHERE id = ?");
            update->Bind(1, id);
            update->Run();
            return 0;
        }
        KeloDBQueryClass update(*connection,
                                "UPDATE kelo SET bus_id = (SELECT id FROM bus WHERE model = ?2) "
                                "WHERE id = ?1 AND EXISTS (SELECT 1 FROM bus WHERE model = ?2)");
        update->Bind(1, id);
        update->Bind(2, model);
        update->Run();
        return 0;
    });
}

KeloDBKeloSetClass::KeloDBKeloSetClass(std::shared_ptr<KeloDBConnectionClass> connection,
                                       std::vector<std::pair<std::int64_t, std::string>> kelos)
    : connection(std::move(connection)), kelos(std::move(kelos)) {}

std::int32_t KeloDBKeloSetClass::GetCount() {
    return static_cast<std::int32_t>(kelos.size());
}

KeloKeloPtrClass KeloDBKeloSetClass::GetItem(std::int32_t index) {
    if (index < 0 || index >= static_cast<std::int32_t>(kelos.size()))
        return KeloKeloPtrClass();
    if (KeloDBPrefetchedKelo(*connection, kelos[index].first) != nullptr)
        return KeloKeloPtrClass(
            new KeloDBKeloClass(connection, kelos[index].first, kelos[index].second));
    return KeloDBGuard(*connection, KeloKeloPtrClass(), [&] {
        KeloDBQueryClass query(*connection, "SELECT 1 FROM kelo WHERE id = ?");
        query->Bind(1, kelos[index].first);
        if (!query->Step())
            return KeloKeloPtrClass();
        return KeloKeloPtrClass(
            new KeloDBKeloClass(connection, kelos[index].first, kelos[index].second));
    });
}
