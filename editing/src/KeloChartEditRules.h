#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The rules of editing a kelo on the chart itself: dragging, nudging from the keyboard and
// laying a series at a fixed interval.

/// Whole minutes a horizontal drag of `pixels` means on a chart of `pixelsPerHour` (time
/// scale times zoom), cut towards zero like every pixel-to-minute conversion of the chart.
std::int32_t KeloDragMinutes(std::int32_t pixels, double pixelsPerHour);

/// The pixels `minutes` take on that chart, to the nearest pixel: where the dragged line is
/// drawn, so that it follows the mouse in whole minutes and lands where the moved kelo will.
std::int32_t KeloDragPixels(std::int32_t minutes, double pixelsPerHour);

/// A time of day moved by any number of minutes, wrapped into the day (0..1439).
std::int32_t KeloWrapIntoDay(std::int32_t minutes);

/// The hint of a drag: the new start and the difference, "06:40 (+00:15)".
std::string KeloDragHint(std::int32_t start, std::int32_t minutes);

/// One nudge: a minute, or ten with Shift; negative for earlier.
std::int32_t KeloNudgeMinutes(bool later, bool tenMinutes);

/// Whether a nudge of `number` joins the step before it into one undo step. `openNudge` is the
/// kelo whose nudge was the last step, empty when that step was something else or an undo, a
/// redo or the end of the history came after it.
bool KeloNudgeJoins(const std::string& openNudge, const std::string& number);

constexpr std::int32_t KeloSeriesMinInterval = 1;
constexpr std::int32_t KeloSeriesMaxInterval = 720;
/// More copies than this would bury the line; such a series is refused.
constexpr std::int32_t KeloSeriesMaxCopies = 500;

/// How many start times a series has: from `first` to `last` (minutes of the day, over
/// midnight when `last` is earlier) in steps of `interval`; the last step may end short of
/// `last`. 0 for an interval outside 1..720 or a time outside the day.
std::int32_t KeloSeriesCount(std::int32_t first, std::int32_t last, std::int32_t interval);

/// Those start times, each within the day; empty when there are none or more than
/// KeloSeriesMaxCopies.
std::vector<std::int32_t> KeloSeriesStarts(std::int32_t first, std::int32_t last,
                                           std::int32_t interval);
