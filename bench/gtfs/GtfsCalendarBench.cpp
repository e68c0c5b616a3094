// The busiest day of a calendar whose exception days lie far outside its ranges: the time
// should grow with the number of exceptions, not with its square.
#include "KeloGtfsCalendarClass.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

class StringSource : public KeloGtfsByteSourceClass {
public:
    explicit StringSource(std::string text) : text(std::move(text)) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min(size, text.size() - at);
        std::memcpy(buffer, text.data() + at, n);
        at += n;
        return n;
    }

private:
    std::string text;
    std::size_t at = 0;
};

void BM_GtfsBusiestDayWithDistantExceptions(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    std::string calendar = "service_id,monday,tuesday,wednesday,thursday,friday,saturday,sunday,"
                           "start_date,end_date\nWK,1,1,1,1,1,0,0,20260101,20261231\n";
    // One service per exception, each on its own day of the 2030s.
    std::string dates = "service_id,date,exception_type\n";
    for (int i = 0; i < count; ++i)
        dates += "X" + std::to_string(i) + ",20" + std::to_string(30 + i % 10) + "0" +
                 std::to_string(1 + i % 9) + std::to_string(10 + i % 19) + ",1\n";
    for (auto _ : state) {
        KeloGtfsCalendarClass days;
        KeloGtfsCsvReaderClass calendarReader(std::make_unique<StringSource>(calendar),
                                              "calendar.txt");
        days.ReadCalendar(calendarReader);
        KeloGtfsCsvReaderClass datesReader(std::make_unique<StringSource>(dates),
                                           "calendar_dates.txt");
        days.ReadCalendarDates(datesReader);
        benchmark::DoNotOptimize(
            days.BusiestDay(std::vector<std::uint64_t>(days.GetServiceCount(), 1)));
    }
    state.SetComplexityN(count);
}

} // namespace

BENCHMARK(BM_GtfsBusiestDayWithDistantExceptions)
    ->RangeMultiplier(4)
    ->Range(1000, 64000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
