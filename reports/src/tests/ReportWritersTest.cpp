#include "InMemoryKeloData.h"
#include "ReportTextWriter.h"
#include "StopInfoReport.h"
#include "TripInfoReport.h"

#include "Cp1251.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

KeloTimeType T(int h, int m) {
    return KeloTimeType(h, m);
}
const KeloTimeType None;

struct StopRowCase {
    const char* what;
    StopInfoReportKeloDataType row;
    const char* line; // after the tab, before the LF
};

TEST(StopInfoReportTest, RowLinesHaveTheFixedColumns) {
    const StopRowCase cases[] = {
        {"zero stay at the first stop",
         {"101", "A - B", T(6, 0), T(0, 0)},
         "101    A - B                            06:00  06:00  00:00"},
        {"departure past midnight, taken into the day",
         {"7", "N", T(23, 55), T(0, 10)},
         "7      N                                23:55  00:05  00:10"},
        {"a control byte is written as a blank",
         {"7\n", "A\nB\tC", T(9, 30), None},
         "7      A B C                            09:30              "},
        {"last stop",
         {"7", "N", T(9, 30), None},
         "7      N                                09:30              "},
        {"no arrival",
         {"7", "N", None, T(0, 5)},
         "7      N                                              00:05"},
        {"long number and name are cut",
         {"1234567", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", T(1, 2), T(0, 3)},
         "12345  ABCDEFGHIJKLMNOPQRSTUVWXYZ01234  01:02  01:05  00:03"},
    };
    for (const auto& c : cases) {
        std::ostringstream file;
        ASSERT_TRUE(WriteStopInfoRows(file, {c.row})) << c.what;
        EXPECT_EQ(file.str(), std::string("\t") + c.line + "\n") << c.what;
        EXPECT_EQ(file.str().size(), 61u) << c.what;
    }
}

InMemoryDataSet Station() {
    InMemoryDataSet d;
    d.stops = {{"000001", "ALPHA"}, {"000002", "BRAVO"}, {"000003", ""}};
    d.AddLinkBothWays("000001", "000002", 5.1f);
    d.buses = {{"LAZ", "M", 40}};
    d.kelos = {
        {"K1",
         "LOOP",
         "LAZ",
         {{"000001", T(8, 0), T(0, 0)}, {"000002", T(8, 10), T(0, 2)}, {"000001", T(8, 20), None}}},
        {"K2", "LATE", "LAZ", {{"000002", T(7, 0), T(0, 0)}, {"000001", None, T(0, 1)}}}};
    return d;
}

TEST(StopInfoReportTest, CollectsEveryCallOrderedByArrivalEmptyFirst) {
    KeloDataPtrClass data(new InMemoryKeloDataClass(Station()));
    std::vector<StopInfoReportKeloDataType> rows;
    CollectStopInfoRows(rows, data->GetKeloSet(), "000001");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].keloNumber, "K2"); // empty arrival first
    EXPECT_TRUE(rows[0].arrival.IsEmpty());
    EXPECT_EQ(rows[1].arrival, T(8, 0)); // the loop calls twice, each by its own time
    EXPECT_EQ(rows[2].arrival, T(8, 20));
}

TEST(StopInfoReportTest, StopWithoutCallsGivesHeaderAndRuleOnly) {
    KeloDataPtrClass data(new InMemoryKeloDataClass(Station()));
    std::ostringstream file;
    ASSERT_TRUE(WriteStopInfoReport(file, data, "000003"));
    const std::string rule = "\t" + std::string(59, '-') + "\n";
    EXPECT_EQ(file.str(),
              Utf8ToCp1251("\tОстановочный пункт 000003  \n").bytes + rule +
                  Utf8ToCp1251("\tНомер                Название           Прибы  Отправ Стоян\n"
                               "\tрейса                 рейса              тие   ление   ка\n")
                      .bytes +
                  rule + rule);
}

TEST(StopInfoReportTest, FailuresStopTheWriting) {
    KeloDataPtrClass data(new InMemoryKeloDataClass(Station()));
    std::ostringstream unknown;
    EXPECT_FALSE(WriteStopInfoReport(unknown, data, "999999"));
    EXPECT_EQ(unknown.str(), "");

    std::ostringstream failed;
    failed.setstate(std::ios::badbit);
    EXPECT_FALSE(WriteStopInfoFooter(failed));
}

TEST(TripInfoReportTest, DistancesFollowTheLocaleAndTheWidth) {
    const struct {
        float distance;
        const char* separator;
        const char* text;
    } cases[] = {{0.0f, ",", "      0"},
                 {1032.0f, ",", "   1032"},
                 {5.1f, ".", "5.09999990463257"},
                 {5.1f, ",", "5,09999990463257"},
                 {12.5f, ",", "   12,5"}};
    for (const auto& c : cases)
        EXPECT_EQ(ReportPadLeft(FormatTripDistance(c.distance, c.separator), 7), c.text);
}

struct TripRowCase {
    const char* what;
    TripInfoReportStopDataType row;
    const char* line;
};

TEST(TripInfoReportTest, RowLinesDependOnTheStay) {
    const TripRowCase cases[] = {
        {"first stop",
         {"ALPHA", T(6, 0), T(0, 0), 0.0f},
         "ALPHA                       06:00               0"},
        {"stop of five minutes",
         {"BRAVO", T(10, 0), T(0, 5), 12.0f},
         "BRAVO                10:00  10:05  00:05       12"},
        {"past midnight",
         {"C", T(23, 58), T(0, 4), 1032.0f},
         "C                    23:58  00:02  00:04     1032"},
        {"last stop, long name cut",
         {"ABCDEFGHIJKLMNOPQRSTUVW", T(11, 0), None, 20.0f},
         "ABCDEFGHIJKLMNOPQRS  11:00                     20"},
    };
    for (const auto& c : cases) {
        std::ostringstream file;
        ASSERT_TRUE(WriteTripInfoRows(file, {c.row}, ",")) << c.what;
        EXPECT_EQ(file.str(), std::string("\t") + c.line + "\n") << c.what;
    }
}

TEST(TripInfoReportTest, DistanceRunsOverKnownLinksOnly) {
    InMemoryDataSet d = Station();
    d.stops.push_back({"000004", "DELTA"});
    d.kelos.push_back({"K3",
                       "",
                       "",
                       {{"000001", T(8, 0), T(0, 0)},
                        {"000002", T(8, 5), T(0, 1)},
                        {"000004", T(8, 30), T(0, 1)},
                        {"000001", T(9, 0), None}}});
    KeloDataPtrClass data(new InMemoryKeloDataClass(d));
    std::vector<TripInfoReportStopDataType> rows;
    CollectTripInfoRows(rows, data->FindKelo("K3"), data->GetTopology());
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].distance, 0.0f);
    EXPECT_EQ(rows[1].distance, 5.1f);
    EXPECT_EQ(rows[2].distance, 5.1f); // no link to DELTA
    EXPECT_EQ(rows[3].distance, 5.1f); // nor back from it

    // A kelo without a bus still gets its header; an unknown one fails before any line.
    std::ostringstream file;
    ASSERT_TRUE(WriteTripInfoReport(file, data, "K3", ","));
    EXPECT_EQ(file.str().substr(0, file.str().find('\n', file.str().find('\n') + 1) + 1),
              Utf8ToCp1251("\tНомер рейса K3 \n\tАвтобус \n").bytes);
    std::ostringstream unknown;
    EXPECT_FALSE(WriteTripInfoReport(unknown, data, "NONE", ","));
    EXPECT_EQ(unknown.str(), "");
}

} // namespace
