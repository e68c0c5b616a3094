#include "ScaleBenchData.h"

#include "KeloCityFeed.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloDBPlanCopy.h"
#include "KeloGtfsImporterClass.h"
#include "KeloScaleDBWrite.h"
#include "KeloTimetableArithmetic.h"

#include <sys/resource.h>

#include <filesystem>
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

std::string CityFeedDir() {
    return std::string(KELO_SCALE_DB_DIR) + "/city-feed";
}

// The city feed's database: the feed is written and imported on first use.
void EnsureCityDatabase(const std::string& path) {
    if (std::filesystem::exists(path))
        return;
    WriteKeloCityFeed(CityFeedDir());
    KeloGtfsImportOptionsType options;
    options.feed = CityFeedDir();
    KeloDBPlanWriterClass sink(path);
    KeloGtfsImporterClass().Run(options, sink);
}

ScaleBenchDatabase& ScaleDatabase(int factor) {
    static std::map<int, ScaleBenchDatabase> databases;
    auto found = databases.find(factor);
    if (found != databases.end())
        return found->second;
    ScaleBenchDatabase& db = databases[factor];
    if (factor == CityFeedFactor) {
        db.path = std::string(KELO_SCALE_DB_DIR) + "/kelo-city.db";
        EnsureCityDatabase(db.path);
        db.trunkKelo = KeloCityFeedBusiestKelo;
    } else {
        db.path = std::string(KELO_SCALE_DB_DIR) + "/kelo-scale-" + std::to_string(factor) + ".db";
        KeloScaleDBEnsure(factor, db.path);
        // The trunk's first kelo runs it whole; at factor 1 the busiest line stands for it.
        db.trunkKelo = factor == 1 ? MakeKeloScaleSet(KeloDemoBuiltInRoot(), 1).trunkKelo
                                   : MakeKeloScaleTrunkNumber(0);
    }
    db.connection = ScaleOpen(db.path);
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

void ShiftTwentyKelos(KeloDataPtrClass buffer, int& round) {
    round = (round + 7) % 60;
    KeloKeloSetPtrClass kelos = buffer->GetKeloSet();
    const int count = kelos->GetCount();
    for (int i = 0; i < 20 && i < count; ++i) // spread over the set
        ShiftKeloSchedule(*kelos->GetItem(i * count / 20)->GetSchedule(), 300 + 10 * i + round);
}
