#include "KeloDBTopologyClass.h"

#include "KeloDBGuard.h"
#include "KeloDBValueClasses.h"

namespace {

const char* const LinkSql =
    "SELECT l.km FROM stop a, stop b, link l WHERE a.code = ?1 AND b.code = ?2 "
    "AND l.stop_a = min(a.id, b.id) AND l.stop_b = max(a.id, b.id)";

} // namespace

KeloDBTopologyClass::KeloDBTopologyClass(std::shared_ptr<KeloDBConnectionClass> connection)
    : connection(std::move(connection)) {}

bool KeloDBTopologyClass::HasLink(const std::string& codeA, const std::string& codeB) {
    return KeloDBGuard(*connection, false, [&] {
        KeloDBQueryClass query(*connection, LinkSql);
        query->Bind(1, codeA);
        query->Bind(2, codeB);
        return query->Step();
    });
}

float KeloDBTopologyClass::GetDistance(const std::string& codeA, const std::string& codeB) {
    return KeloDBGuard(*connection, 0.0f, [&] {
        KeloDBQueryClass query(*connection, LinkSql);
        query->Bind(1, codeA);
        query->Bind(2, codeB);
        return query->Step() ? static_cast<float>(query->ColumnDouble(0)) : 0.0f;
    });
}

KeloDBStopSetClass::KeloDBStopSetClass(std::shared_ptr<KeloDBConnectionClass> connection)
    : connection(std::move(connection)) {}

void KeloDBStopSetClass::Load() {
    if (loaded)
        return;
    loaded = true;
    KeloDBGuard(*connection, 0, [&] {
        KeloDBQueryClass query(*connection, "SELECT code, name FROM stop ORDER BY id");
        while (query->Step())
            stops.emplace_back(query->ColumnBytes(0), query->ColumnBytes(1));
        return 0;
    });
}

std::int32_t KeloDBStopSetClass::GetCount() {
    Load();
    return static_cast<std::int32_t>(stops.size());
}

KeloStopPtrClass KeloDBStopSetClass::GetItem(std::int32_t index) {
    Load();
    if (index < 0 || index >= static_cast<std::int32_t>(stops.size()))
        return KeloStopPtrClass();
    return KeloStopPtrClass(new KeloDBStopClass(stops[index].first, stops[index].second));
}
