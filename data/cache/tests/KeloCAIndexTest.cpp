// The cache's indexed look-ups give the answers its former linear scans gave.

#include "CacheTestData.h"
#include "KeloCAIndexTemplate.h"
#include "KeloCacheDataClass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// Random adds and removals; after each step the index finds what a scan of the vector finds.
TEST(KeloCAIndexTest, FindAgreesWithAScanThroughAddsAndRemovals) {
    std::mt19937 random(7);
    std::vector<std::string> records;
    KeloCAIndexTemplate<std::string> index;
    auto scan = [&](const std::string& key) {
        const auto at = std::find(records.begin(), records.end(), key);
        return at == records.end() ? index.None : std::size_t(at - records.begin());
    };
    for (int step = 0; step < 2000; ++step) {
        const std::string key = std::to_string(random() % 300);
        if (random() % 4 != 0) {
            if (scan(key) == index.None) {
                records.push_back(key);
                index.Add(key, records.size() - 1);
            }
        } else {
            std::erase(records, key);
            index.Rebuild(records, [](const std::string& record) { return record; });
        }
        ASSERT_EQ(index.Find(key), scan(key)) << step;
        const std::string other = std::to_string(random() % 300);
        ASSERT_EQ(index.Find(other), scan(other)) << step;
    }
}

// Many kelos read in turn, some recreated: every timetable and name read through the cache is
// the source's, and the objects handed out stay one per stop code.
TEST(KeloCAIndexTest, ManyKelosReadThroughTheCacheMatchTheSource) {
    InMemoryDataSet data = CacheTestData();
    for (int k = 0; k < 60; ++k)
        data.kelos.push_back(
            {"K" + std::to_string(k),
             "kelo " + std::to_string(k),
             "BUS",
             {MakeRow(k % 2 ? "000001" : "000003", "06:00", 0), MakeRow("000002", "07:00", k % 5),
              MakeRow(k % 2 ? "000003" : "000001", "08:00", -1)}});
    KeloDataPtrClass lower = MakeInMemorySource(data);
    KeloDataPtrClass cache(new KeloCacheDataClass(lower));
    for (int round = 0; round < 3; ++round)
        for (int k = 59; k >= 0; k -= 1 + round) {
            const std::string number = "K" + std::to_string(k);
            if (round == 1 && k % 7 == 0) {
                cache->DeleteKelo(number);
                cache->CreateKelo(number)->GetSchedule()->AppendStop("000009");
            }
            KeloKeloSchedulePtrClass mine = cache->FindKelo(number)->GetSchedule();
            KeloKeloSchedulePtrClass theirs = lower->FindKelo(number)->GetSchedule();
            ASSERT_EQ(mine->GetCount(), theirs->GetCount()) << number;
            for (std::int32_t i = 0; i < mine->GetCount(); ++i) {
                EXPECT_EQ(mine->GetItem(i)->GetStop()->GetCode(),
                          theirs->GetItem(i)->GetStop()->GetCode());
                EXPECT_EQ(mine->GetItem(i)->GetStay(), theirs->GetItem(i)->GetStay());
            }
            EXPECT_EQ(cache->FindKelo(number)->GetName(), lower->FindKelo(number)->GetName());
            EXPECT_EQ(cache->GetTopology()->GetDistance("000001", "000002"), 12.0f);
        }
    EXPECT_EQ(&*cache->FindStop("000002"), &*cache->FindStop("000002"));
}

} // namespace
