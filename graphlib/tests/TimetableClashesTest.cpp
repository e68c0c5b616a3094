// The interval and overtaking rules on small lines, and the clash index against them.
#include "TimetableClashes.h"
#include "TimetableClashIndexClass.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const std::vector<std::string> Line = {"S1", "S2", "S3", "S4"};

struct Call {
    const char* stop;
    std::int32_t arrival;
    std::int32_t stay = -1; // -1: empty
};

std::string Number(int k) {
    std::string number = "K";
    number += std::to_string(k);
    return number;
}

std::int32_t At(int hours, int minutes) {
    return hours * 60 + minutes;
}

TimetableClashKeloType Kelo(const std::string& number, std::vector<Call> calls,
                            bool forward = true) {
    TimetableClashKeloType kelo{number, forward, {}};
    for (const Call& call : calls)
        kelo.calls.push_back({call.stop, KeloTimeType(call.arrival),
                              call.stay < 0 ? KeloTimeType() : KeloTimeType(call.stay)});
    return kelo;
}

struct RuleCase {
    const char* name;
    std::vector<TimetableClashKeloType> kelos;
    std::vector<std::string> expected;
    std::int32_t minimum = 3;
};

TEST(TimetableClashes, RuleTable) {
    const RuleCase cases[] = {
        {"equal departures",
         {Kelo("A", {{"S1", At(10, 0)}, {"S2", At(10, 30)}}),
          Kelo("B", {{"S1", At(10, 0)}, {"S2", At(10, 20)}})},
         {"interval;S1;10:00;B;A"}},
        {"one minute apart",
         {Kelo("A", {{"S1", At(10, 0)}, {"S2", At(10, 30)}}),
          Kelo("B", {{"S1", At(10, 1)}, {"S2", At(10, 31)}})},
         {"interval;S1;10:01;B;A"}},
        {"exactly the minimum apart",
         {Kelo("A", {{"S1", At(10, 0)}, {"S2", At(10, 30)}}),
          Kelo("B", {{"S1", At(10, 3)}, {"S2", At(10, 33)}})},
         {}},
        {"off",
         {Kelo("A", {{"S1", At(10, 0)}, {"S2", At(10, 30)}}),
          Kelo("B", {{"S1", At(10, 0)}, {"S2", At(10, 30)}})},
         {},
         0},
        {"around midnight",
         {Kelo("A", {{"S1", At(23, 59)}, {"S2", At(0, 29)}}),
          Kelo("B", {{"S1", At(24, 1)}, {"S2", At(24, 31)}})},
         {"interval;S1;00:01;B;A"}},
        {"three in a minute",
         {Kelo("A", {{"S1", At(7, 0)}, {"S2", At(8, 0)}}),
          Kelo("B", {{"S1", At(7, 0)}, {"S2", At(8, 0)}}),
          Kelo("C", {{"S1", At(7, 0)}, {"S2", At(8, 0)}})},
         {"interval;S1;07:00;B;A", "interval;S1;07:00;C;B"}},
        {"opposite directions",
         {Kelo("A", {{"S1", At(10, 0)}, {"S2", At(10, 30)}}),
          Kelo("B", {{"S1", At(10, 0)}, {"S2", At(10, 20)}}, false)},
         {}},
        {"last call is no departure",
         {Kelo("A", {{"S1", At(10, 0)}, {"S2", At(10, 30)}}),
          Kelo("B", {{"S2", At(10, 30)}, {"S3", At(11, 0)}})},
         {}},
        {"overtaking with stays",
         {Kelo("A", {{"S1", At(10, 0), 5}, {"S2", At(11, 0)}}),
          Kelo("B", {{"S1", At(10, 0), 10}, {"S2", At(10, 50)}})},
         {"overtaking;S1;10:10;B;A"}},
        {"overtaking across midnight",
         {Kelo("A", {{"S1", At(23, 50)}, {"S2", At(0, 40)}}),
          Kelo("B", {{"S1", At(0, 5)}, {"S2", At(0, 30)}})},
         {"overtaking;S1;00:05;B;A"}},
        {"following across midnight",
         {Kelo("A", {{"S1", At(23, 50)}, {"S2", At(0, 20)}}),
          Kelo("B", {{"S1", At(0, 5)}, {"S2", At(0, 35)}})},
         {}},
        {"kelos over part of the line",
         {Kelo("A", {{"S1", At(10, 0)}, {"S2", At(10, 30)}, {"S3", At(11, 0)}}),
          Kelo("B", {{"S2", At(10, 35)}, {"S3", At(10, 50)}}),
          Kelo("C", {{"S1", At(10, 5)}, {"S3", At(10, 40)}}),
          Kelo("D", {{"S3", At(10, 0)}, {"S4", At(10, 20)}})},
         {"overtaking;S2;10:35;B;A"}},
        {"ordered by stop, then time",
         {Kelo("A", {{"S1", At(12, 0)}, {"S2", At(12, 30)}, {"S3", At(13, 0)}}),
          Kelo("B", {{"S1", At(12, 1)}, {"S2", At(12, 31)}, {"S3", At(13, 1)}}),
          Kelo("C", {{"S1", At(6, 0)}, {"S2", At(6, 30), 2}, {"S3", At(7, 0)}}),
          Kelo("D", {{"S2", At(6, 33)}, {"S3", At(6, 40)}})},
         {"interval;S1;12:01;B;A", "interval;S2;06:33;D;C", "overtaking;S2;06:33;D;C",
          "interval;S2;12:31;B;A"}},
    };
    for (const RuleCase& c : cases) {
        std::vector<std::string> found;
        for (const TimetableClashType& clash : FindTimetableClashes(Line, c.kelos, c.minimum))
            found.push_back(FormatTimetableClash(clash, Line));
        EXPECT_EQ(found, c.expected) << c.name;
        // The index, given the kelos one change at a time, finds the same.
        TimetableClashIndexClass index;
        index.Reset(Line, {}, c.minimum);
        for (const TimetableClashKeloType& kelo : c.kelos)
            index.Update({kelo.number}, {kelo});
        EXPECT_EQ(index.GetClashList(), FindTimetableClashes(Line, c.kelos, c.minimum)) << c.name;
    }
}

// Kelos crowded into a few hours around midnight, on 5-minute steps, so that equal
// departures, intervals and overtakings all occur.
TimetableClashKeloType RandomKelo(std::mt19937& random, const std::string& number) {
    std::uniform_int_distribution<int> stop(0, 3), steps(0, 36), run(1, 8), stay(-1, 3);
    const bool forward = random() % 4 != 0;
    int first = stop(random), last = stop(random);
    if (first > last)
        std::swap(first, last);
    std::vector<Call> calls;
    std::int32_t time = At(22, 0) + 5 * steps(random);
    for (int s = first; s <= std::max(last, first + 1) && s < 4; ++s) {
        const std::int32_t dwell = stay(random);
        calls.push_back({Line[forward ? s : 3 - s].c_str(), time, dwell < 0 ? -1 : 5 * dwell});
        time += std::max(dwell, 0) * 5 + 5 * run(random);
    }
    return Kelo(number, calls, forward);
}

TEST(TimetableClashIndex, RandomEditsMatchAFullCheck) {
    std::mt19937 random(23);
    std::vector<TimetableClashKeloType> kelos;
    for (int k = 0; k < 40; ++k)
        kelos.push_back(RandomKelo(random, Number(k)));
    TimetableClashIndexClass index;
    index.Reset(Line, kelos, 4);
    int nextNumber = 40;
    std::size_t intervals = 0, overtakings = 0;
    for (int step = 0; step < 400; ++step) {
        std::vector<std::string> changed;
        std::vector<TimetableClashKeloType> current;
        const int what = static_cast<int>(random() % 4);
        const std::size_t k = random() % kelos.size();
        if (what == 0) { // a new kelo, e.g. a copy
            kelos.push_back(RandomKelo(random, Number(nextNumber++)));
            changed = {kelos.back().number};
            current = {kelos.back()};
        } else if (what == 1 && kelos.size() > 2) { // deleted
            changed = {kelos[k].number};
            kelos.erase(kelos.begin() + static_cast<std::ptrdiff_t>(k));
        } else { // moved, or two at once changed
            const std::int32_t shift = 5 * static_cast<std::int32_t>(random() % 7) - 15;
            for (std::size_t m : {k, (k + 1) % kelos.size()}) {
                for (TimetableClashCallType& call : kelos[m].calls)
                    call.arrival = KeloTimeType(call.arrival.GetTotalMinutes() + shift);
                changed.push_back(kelos[m].number);
                current.push_back(kelos[m]);
                if (what == 2)
                    break;
            }
        }
        index.Update(changed, current);
        ASSERT_EQ(index.GetClashList(), FindTimetableClashes(Line, kelos, 4)) << "step " << step;
        for (const TimetableClashType& clash : index.GetClashes())
            ++(clash.kind == TimetableClashKind::Interval ? intervals : overtakings);
    }
    // The edits met both kinds of clash often.
    EXPECT_GT(intervals, 500u);
    EXPECT_GT(overtakings, 500u);
    index.SetMinimumInterval(10);
    EXPECT_EQ(index.GetClashList(), FindTimetableClashes(Line, kelos, 10));
}

} // namespace
