#include "KeloScaleDBWrite.h"

#include "KeloDBBuilderClass.h"

#include <filesystem>

void KeloScaleDBWrite(const KeloScaleSetType& set, const std::string& path) {
    KeloDBBuilderClass builder(path);
    for (const auto& bus : set.buses)
        builder.AddBus(bus.model, bus.category, bus.capacity);
    for (const auto& stop : set.stops)
        builder.AddStop(stop.code, stop.name);
    // The builder stores a pair once for both directions.
    for (const auto& link : set.links)
        if (link.from < link.to)
            builder.AddLink(link.from, link.to, link.distance);
    for (const auto& kelo : set.kelos) {
        builder.AddKelo(kelo.number, kelo.name, kelo.bus);
        for (const auto& row : kelo.rows)
            builder.AddEntry(kelo.number, row.stop, KeloTimeType(row.arrival),
                             KeloTimeType(row.stay));
    }
    builder.Commit();
}

bool KeloScaleDBEnsure(int factor, const std::string& path) {
    if (std::filesystem::exists(path))
        return false;
    KeloScaleDBWrite(MakeKeloScaleSet(KeloDemoBuiltInRoot(), factor), path);
    return true;
}
