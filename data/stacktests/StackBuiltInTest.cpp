#include "KeloBuiltInTestSupport.h"
#include "KeloCacheDataClass.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDemoDataClass.h"
#include "KeloSFDataClass.h"
#include "KeloSFKeloScheduleClass.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string Kelo02P = "02\xCF";     // 02П
const std::string Copy02P = "~02\xCF(2)"; // ~02П(2)

// One visible entry as the diagram needs it.
struct VisibleEntry {
    std::string code;
    KeloTimeType arrival;
    KeloTimeType stay;
    bool hiddenBefore = false;
    bool hiddenAfter = false;
    bool operator==(const VisibleEntry&) const = default;
};

// Worked out from the built-in source's full timetable, independently of the view.
std::vector<VisibleEntry> Expected(KeloKeloSchedulePtrClass full,
                                   const std::vector<std::string>& line) {
    std::vector<VisibleEntry> entries;
    std::vector<std::int32_t> positions;
    const std::int32_t count = full->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        KeloStopSchedulePtrClass entry = full->GetItem(i);
        const std::string code = entry->GetStop()->GetCode();
        if (std::find(line.begin(), line.end(), code) == line.end())
            continue;
        entries.push_back({code, entry->GetArrival(), entry->GetStay()});
        positions.push_back(i);
    }
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::int32_t before = k == 0 ? -1 : positions[k - 1];
        const std::int32_t after = k + 1 == entries.size() ? count : positions[k + 1];
        entries[k].hiddenBefore = positions[k] != before + 1;
        entries[k].hiddenAfter = positions[k] + 1 != after;
    }
    return entries;
}

std::vector<VisibleEntry> Seen(KeloKeloSchedulePtrClass schedule) {
    auto* sf = dynamic_cast<KeloSFKeloScheduleClass*>(&*schedule);
    EXPECT_NE(sf, nullptr);
    std::vector<VisibleEntry> entries;
    for (std::int32_t k = 0; sf != nullptr && k < sf->GetCount(); ++k) {
        KeloStopSchedulePtrClass entry = sf->GetItem(k);
        entries.push_back({entry->GetStop()->GetCode(), entry->GetArrival(), entry->GetStay(),
                           sf->HasHiddenBefore(k), sf->HasHiddenAfter(k)});
    }
    return entries;
}

class BuiltInStackTest : public ::testing::Test {
protected:
    void SetUp() override {
        line = BuiltInLineOf(Kelo02P);
        direct = MakeBuiltInSource(line);
        cache = KeloDataPtrClass(new KeloCacheDataClass(MakeBuiltInSource(line)));
        buffer = new KeloCachedUpdateDataClass(cache);
        bufferSource = KeloDataPtrClass(buffer);
        view = KeloDataPtrClass(new KeloSFDataClass(bufferSource, line));
    }

    std::vector<std::string> line;
    KeloDataPtrClass direct;
    KeloDataPtrClass cache;
    KeloCachedUpdateDataClass* buffer = nullptr;
    KeloDataPtrClass bufferSource;
    KeloDataPtrClass view;
};

TEST_F(BuiltInStackTest, TheLineOf02PIsItsNineStopsInOrder) {
    ASSERT_EQ(line.size(), 9u);
    EXPECT_EQ(line.front(), "050100");
    EXPECT_EQ(line[1], "050157");
    EXPECT_EQ(line.back(), "054947");
    KeloStopSetPtrClass stops = view->GetStopSet();
    ASSERT_EQ(stops->GetCount(), 9);
    for (std::int32_t i = 0; i < 9; ++i) {
        EXPECT_EQ(stops->GetItem(i)->GetCode(), line[i]);
        EXPECT_EQ(stops->GetItem(i)->GetName(), direct->FindStop(line[i])->GetName());
    }
}

TEST_F(BuiltInStackTest, EveryOfferedKeloLooksThroughTheStackAsTheSourceSaysDirectly) {
    KeloKeloSetPtrClass mine = view->GetKeloSet();
    KeloKeloSetPtrClass theirs = direct->GetKeloSet();
    ASSERT_EQ(mine->GetCount(), theirs->GetCount());
    ASSERT_GT(mine->GetCount(), 1);
    int leavingTheLine = 0;
    for (std::int32_t i = 0; i < mine->GetCount(); ++i) {
        KeloKeloPtrClass seen = mine->GetItem(i);
        KeloKeloPtrClass truth = theirs->GetItem(i);
        const std::string number = truth->GetNumber();
        ASSERT_EQ(seen->GetNumber(), number) << i;
        EXPECT_EQ(seen->GetName(), truth->GetName()) << number;
        const std::vector<VisibleEntry> expected = Expected(truth->GetSchedule(), line);
        EXPECT_GE(expected.size(), 2u) << number; // offered kelos serve two stops of the line
        EXPECT_EQ(Seen(seen->GetSchedule()), expected) << number;
        leavingTheLine += std::any_of(expected.begin(), expected.end(), [](const auto& e) {
            return e.hiddenBefore || e.hiddenAfter;
        });
        // A second read comes from the cache and must not differ.
        EXPECT_EQ(Seen(seen->GetSchedule()), expected) << number;
        EXPECT_EQ(seen->GetAverageSpeed(), 0.0f);
        // Through the buffer (no view) speed and distance are the source's own.
        KeloKeloPtrClass buffered = bufferSource->GetKeloSet()->GetItem(i);
        EXPECT_FLOAT_EQ(buffered->GetDistance(), truth->GetDistance()) << number;
        EXPECT_FLOAT_EQ(buffered->GetAverageSpeed(), truth->GetAverageSpeed()) << number;
        EXPECT_EQ(buffered->GetTravelTime(), truth->GetTravelTime()) << number;
    }
    // The line is crossed by kelos that come from or go on to other stops.
    EXPECT_GT(leavingTheLine, 0);
}

TEST_F(BuiltInStackTest, Kelo02PRunsTheWholeLineWithNothingHidden) {
    KeloKeloPtrClass kelo = view->FindKelo(Kelo02P);
    ASSERT_FALSE(kelo.IsNull());
    const std::vector<VisibleEntry> seen = Seen(kelo->GetSchedule());
    ASSERT_EQ(seen.size(), 9u);
    for (const VisibleEntry& entry : seen) {
        EXPECT_FALSE(entry.hiddenBefore);
        EXPECT_FALSE(entry.hiddenAfter);
    }
    EXPECT_EQ(seen.front().arrival, KeloTimeType(8, 0));
    EXPECT_EQ(seen.back().arrival, KeloTimeType(9, 5));
    EXPECT_EQ(kelo->GetTravelTime(), KeloTimeType(65));
    EXPECT_NEAR(bufferSource->FindKelo(Kelo02P)->GetDistance(), 39.9f, 0.01f);
}

TEST_F(BuiltInStackTest, SavingACopyKeepsItInTheBufferAndWritesEveryOtherChange) {
    // The window lists every kelo with its name before any command runs.
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    for (std::int32_t i = 0; i < kelos->GetCount(); ++i)
        kelos->GetItem(i)->GetName();
    const std::int32_t offered = kelos->GetCount();
    const std::string other = kelos->GetItem(offered - 1)->GetNumber();
    ASSERT_NE(other, Kelo02P);

    KeloKeloPtrClass original = bufferSource->FindKelo(Kelo02P);
    KeloKeloPtrClass copy = bufferSource->CreateKelo(Copy02P);
    copy->SetName(original->GetName());
    copy->SetBus(original->GetBus()->GetModel());
    KeloKeloSchedulePtrClass from = original->GetSchedule();
    for (std::int32_t i = 0; i < from->GetCount(); ++i) {
        KeloStopSchedulePtrClass entry =
            copy->GetSchedule()->AppendStop(from->GetItem(i)->GetStop()->GetCode());
        entry->SetArrival(from->GetItem(i)->GetArrival() + KeloTimeType(60));
        entry->SetStay(from->GetItem(i)->GetStay());
    }
    KeloKeloPtrClass changed = bufferSource->FindKelo(other);
    changed->SetName("renamed");
    KeloStopSchedulePtrClass first = changed->GetSchedule()->GetItem(0);
    const KeloTimeType moved = first->GetArrival() + KeloTimeType(5);
    first->SetArrival(moved);

    std::vector<std::string> heldBack;
    ASSERT_NO_FATAL_FAILURE(heldBack = buffer->ApplyUpdates());
    EXPECT_EQ(heldBack, std::vector<std::string>{Copy02P});
    ASSERT_EQ(buffer->GetChangeCount(), 1);
    KeloDataCUChangeKind kind = Deleted;
    std::string number;
    buffer->GetChange(0, kind, number);
    EXPECT_EQ(kind, Added);
    EXPECT_EQ(number, Copy02P);

    // The other kelo's changes went into the cache (the built-in source ignores writes).
    EXPECT_EQ(cache->FindKelo(other)->GetName(), "renamed");
    EXPECT_EQ(cache->FindKelo(other)->GetSchedule()->GetItem(0)->GetArrival(), moved);
    EXPECT_NE(direct->FindKelo(other)->GetSchedule()->GetItem(0)->GetArrival(), moved);

    // The copy is still on the diagram, last, an hour after 02П.
    KeloKeloSetPtrClass after = view->GetKeloSet();
    ASSERT_EQ(after->GetCount(), offered + 1);
    KeloKeloPtrClass shown = after->GetItem(after->GetCount() - 1);
    EXPECT_EQ(shown->GetNumber(), Copy02P);
    const std::vector<VisibleEntry> copied = Seen(shown->GetSchedule());
    ASSERT_EQ(copied.size(), 9u);
    EXPECT_EQ(copied.front().arrival, KeloTimeType(9, 0));
    EXPECT_EQ(shown->GetTravelTime(), KeloTimeType(65));
    EXPECT_EQ(shown->GetBus()->GetModel(), original->GetBus()->GetModel());

    // Saving again changes nothing; discarding drops the copy.
    EXPECT_EQ(buffer->ApplyUpdates(), std::vector<std::string>{Copy02P});
    buffer->CancelUpdates();
    EXPECT_EQ(view->GetKeloSet()->GetCount(), offered);
    EXPECT_TRUE(view->FindKelo(Copy02P).IsNull());
}

TEST_F(BuiltInStackTest, DeletionTheBuiltInSourceCannotMakeStaysInTheBuffer) {
    const std::int32_t count = view->GetKeloSet()->GetCount();
    view->DeleteKelo(Kelo02P);
    EXPECT_EQ(view->GetKeloSet()->GetCount(), count - 1);
    EXPECT_EQ(buffer->ApplyUpdates(), std::vector<std::string>{Kelo02P});
    EXPECT_EQ(buffer->GetChangeCount(), 1);
    EXPECT_EQ(view->GetKeloSet()->GetCount(), count - 1);
    buffer->CancelUpdates();
    EXPECT_EQ(view->GetKeloSet()->GetCount(), count);
}

} // namespace
