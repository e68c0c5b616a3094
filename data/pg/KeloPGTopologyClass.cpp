#include "KeloPGTopologyClass.h"

#include "KeloDBValueClasses.h"
#include "KeloPGGuard.h"

namespace {

const char* const LinkSql =
    "SELECT l.km FROM stop a, stop b, link l WHERE a.code = $1 AND b.code = $2 "
    "AND l.stop_a = LEAST(a.id, b.id) AND l.stop_b = GREATEST(a.id, b.id)";

} // namespace

bool KeloPGTopologyClass::HasLink(const std::string& codeA, const std::string& codeB) {
    return KeloPGGuard(*connection, false, [&] {
        return connection->Query(LinkSql, KeloPGParamsClass().Bytes(codeA).Bytes(codeB)).Rows() > 0;
    });
}

float KeloPGTopologyClass::GetDistance(const std::string& codeA, const std::string& codeB) {
    return KeloPGGuard(*connection, 0.0f, [&] {
        const KeloPGResultClass rows =
            connection->Query(LinkSql, KeloPGParamsClass().Bytes(codeA).Bytes(codeB));
        return rows.Rows() ? static_cast<float>(rows.Double(0, 0)) : 0.0f;
    });
}

void KeloPGStopSetClass::Load() {
    if (loaded)
        return;
    loaded = true;
    KeloPGGuard(*connection, 0, [&] {
        const KeloPGResultClass rows = connection->Query("SELECT code, name FROM stop ORDER BY id");
        for (int r = 0; r < rows.Rows(); ++r)
            stops.emplace_back(rows.Bytes(r, 0), rows.Bytes(r, 1));
        return 0;
    });
}

std::int32_t KeloPGStopSetClass::GetCount() {
    Load();
    return static_cast<std::int32_t>(stops.size());
}

KeloStopPtrClass KeloPGStopSetClass::GetItem(std::int32_t index) {
    Load();
    if (index < 0 || index >= GetCount())
        return KeloStopPtrClass();
    return KeloStopPtrClass(new KeloDBStopClass(stops[index].first, stops[index].second));
}
