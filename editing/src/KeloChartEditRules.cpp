#include "KeloChartEditRules.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::int32_t Day = 1440;

bool WithinDay(std::int32_t minutes) {
    return minutes >= 0 && minutes < Day;
}

} // namespace

std::int32_t KeloDragMinutes(std::int32_t pixels, double pixelsPerHour) {
    if (!(pixelsPerHour > 0))
        return 0;
    return std::int32_t(std::trunc(double(pixels) * 60 / pixelsPerHour));
}

std::int32_t KeloDragPixels(std::int32_t minutes, double pixelsPerHour) {
    if (!(pixelsPerHour > 0))
        return 0;
    return std::int32_t(std::lround(double(minutes) * pixelsPerHour / 60));
}

std::int32_t KeloWrapIntoDay(std::int32_t minutes) {
    const std::int32_t wrapped = minutes % Day;
    return wrapped < 0 ? wrapped + Day : wrapped;
}

std::string KeloDragHint(std::int32_t start, std::int32_t minutes) {
    const std::int32_t to = KeloWrapIntoDay(start + minutes);
    const std::int32_t by = std::abs(minutes);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d (%c%02d:%02d)", to / 60, to % 60,
                  minutes < 0 ? '-' : '+', by / 60, by % 60);
    return text;
}

std::int32_t KeloNudgeMinutes(bool later, bool tenMinutes) {
    const std::int32_t step = tenMinutes ? 10 : 1;
    return later ? step : -step;
}

bool KeloNudgeJoins(const std::string& openNudge, const std::string& number) {
    return !openNudge.empty() && openNudge == number;
}

std::int32_t KeloSeriesCount(std::int32_t first, std::int32_t last, std::int32_t interval) {
    if (interval < KeloSeriesMinInterval || interval > KeloSeriesMaxInterval || !WithinDay(first) ||
        !WithinDay(last))
        return 0;
    const std::int32_t span = last >= first ? last - first : last + Day - first;
    return span / interval + 1;
}

std::vector<std::int32_t> KeloSeriesStarts(std::int32_t first, std::int32_t last,
                                           std::int32_t interval) {
    const std::int32_t count = KeloSeriesCount(first, last, interval);
    std::vector<std::int32_t> starts;
    if (count > KeloSeriesMaxCopies)
        return starts;
    starts.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i)
        starts.push_back(KeloWrapIntoDay(first + i * interval));
    return starts;
}
