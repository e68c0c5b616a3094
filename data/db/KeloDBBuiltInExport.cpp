#include "KeloDBBuiltInExport.h"

#include "KeloDBBuilderClass.h"
#include "KeloDemoTables.h"

void KeloDBWriteBuiltInDataSet(const std::string& path) {
    const KeloDemoRootType& root = KeloDemoBuiltInRoot();
    KeloDBBuilderClass builder(path);
    for (std::int32_t i = 0; i < root.busCount; ++i)
        builder.AddBus(root.buses[i].model, root.buses[i].category, root.buses[i].capacity);
    for (std::int32_t i = 0; i < root.stopCount; ++i)
        builder.AddStop(root.stops[i].code, root.stops[i].name);
    for (std::int32_t i = 0; i < root.linkCount; ++i)
        builder.AddLink(root.links[i].from, root.links[i].to, root.links[i].distance);
    for (std::int32_t k = 0; k < root.keloCount; ++k) {
        const KeloDemoKeloRecordType& kelo = root.kelos[k];
        builder.AddKelo(kelo.number, kelo.name, kelo.bus);
        for (std::int32_t r = 0; r < kelo.rowCount; ++r) {
            const KeloDemoRowRecordType& row = root.rows[kelo.firstRow + r];
            builder.AddEntry(kelo.number, row.stop, KeloTimeType(row.arrival),
                             KeloTimeType(row.stay));
        }
    }
    builder.Commit();
}
