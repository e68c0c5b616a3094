#include "ScaleBenchData.h"

#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloScaleDBWrite.h"

#include <sys/resource.h>

#include <map>
#include <stdexcept>

KeloDataPtrClass ScaleBenchDatabase::Source(const std::vector<std::string>& selection) const {
    return KeloDataPtrClass(new KeloDBDataClass(connection, selection));
}

std::shared_ptr<KeloDBConnectionClass> ScaleOpen(const std::string& path) {
    KeloDBOpenResultType opened = KeloDBOpen(path);
    if (opened.status != KeloDBOpenStatusType::Ok)
        throw std::runtime_error("cannot open " + path + ": " + opened.detail);
    return opened.connection;
}

ScaleBenchDatabase& ScaleDatabase(int factor) {
    static std::map<int, ScaleBenchDatabase> databases;
    auto found = databases.find(factor);
    if (found != databases.end())
        return found->second;
    ScaleBenchDatabase& db = databases[factor];
    db.path = std::string(KELO_SCALE_DB_DIR) + "/kelo-scale-" + std::to_string(factor) + ".db";
    KeloScaleDBEnsure(factor, db.path);
    db.connection = ScaleOpen(db.path);
    // The trunk's first kelo runs it whole; at factor 1 the busiest line stands for it.
    db.trunkKelo = factor == 1 ? MakeKeloScaleSet(KeloDemoBuiltInRoot(), 1).trunkKelo
                               : MakeKeloScaleTrunkNumber(0);
    KeloKeloSchedulePtrClass schedule = db.Source()->FindKelo(db.trunkKelo)->GetSchedule();
    for (std::int32_t i = 0; i < schedule->GetCount(); ++i)
        db.trunkLine.push_back(schedule->GetItem(i)->GetStop()->GetCode());
    return db;
}

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}
