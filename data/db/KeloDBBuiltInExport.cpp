#include "KeloDBBuiltInExport.h"

#include "KeloDBPlanCopy.h"
#include "KeloDemoTables.h"

void KeloWriteBuiltInPlan(KeloPlanWriterClass& writer) {
    const KeloDemoRootType& root = KeloDemoBuiltInRoot();
    for (std::int32_t i = 0; i < root.busCount; ++i)
        writer.AddBus(root.buses[i].model, root.buses[i].category, root.buses[i].capacity);
    for (std::int32_t i = 0; i < root.stopCount; ++i)
        writer.AddStop(root.stops[i].code, root.stops[i].name);
    for (std::int32_t i = 0; i < root.linkCount; ++i)
        writer.AddLink(root.links[i].from, root.links[i].to, root.links[i].distance);
    for (std::int32_t k = 0; k < root.keloCount; ++k) {
        const KeloDemoKeloRecordType& kelo = root.kelos[k];
        writer.AddKelo(kelo.number, kelo.name, kelo.bus);
        for (std::int32_t r = 0; r < kelo.rowCount; ++r) {
            const KeloDemoRowRecordType& row = root.rows[kelo.firstRow + r];
            writer.AddEntry(row.stop, KeloTimeType(row.arrival), KeloTimeType(row.stay));
        }
    }
    writer.Commit();
}

void KeloDBWriteBuiltInDataSet(const std::string& path) {
    KeloDBPlanWriterClass writer(path);
    KeloWriteBuiltInPlan(writer);
}
