#include "KeloDemoDataClass.h"
#include "StopInfoReport.h"
#include "TripInfoReport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

// The reports of the shipped data compared byte for byte with reviewed files. Run with
// KELO_UPDATE_GOLDEN=1 to write the files anew; read the difference before committing it.

namespace {

std::string GoldenPath(const std::string& name) {
    return std::string(KELO_REPORTS_GOLDEN_DIR) + "/" + name;
}

void ExpectGolden(const std::string& name, const std::string& bytes) {
    if (std::getenv("KELO_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(GoldenPath(name), std::ios::binary) << bytes;
        return;
    }
    std::ifstream file(GoldenPath(name), std::ios::binary);
    ASSERT_TRUE(file) << "missing golden file " << name;
    const std::string golden{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(bytes, golden) << name;
}

// The stop most kelos call at: the first of the stop set with the largest number of calls.
std::string BusiestStop(KeloDataPtrClass data) {
    std::string busiest;
    std::size_t most = 0;
    KeloStopSetPtrClass stops = data->GetStopSet();
    std::vector<StopInfoReportKeloDataType> rows;
    for (std::int32_t i = 0; i < stops->GetCount(); ++i) {
        const std::string code = stops->GetItem(i)->GetCode();
        CollectStopInfoRows(rows, data->GetKeloSet(), code);
        if (rows.size() > most) {
            most = rows.size();
            busiest = code;
        }
    }
    return busiest;
}

TEST(ReportGoldenTest, StationTimetableOfTheBusiestStop) {
    KeloDataPtrClass data = MakeBuiltInSource();
    const std::string code = BusiestStop(data);
    std::ostringstream file;
    ASSERT_TRUE(WriteStopInfoReport(file, data, code));
    ExpectGolden("stop_" + code + ".txt", file.str());
}

TEST(ReportGoldenTest, TripInformation) {
    KeloDataPtrClass data = MakeBuiltInSource();
    for (const auto& [number, name] :
         {std::pair{"02\xCF", "trip_02P.txt"}, {"100", "trip_100.txt"}}) {
        std::ostringstream file;
        ASSERT_TRUE(WriteTripInfoReport(file, data, number, ",")) << name;
        ExpectGolden(name, file.str());
    }
}

} // namespace
