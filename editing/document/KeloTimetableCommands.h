#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <functional>
#include <string>

// The timetable edits of one kelo, shared by the editing document and the timetable dialog:
// each answers whether it changed anything, and a refused edit changes nothing.

/// Sets the arrival and the stay (empty for none) of entry `index`.
bool KeloSetEntryTimes(KeloKeloScheduleClass& schedule, std::int32_t index, KeloTimeType arrival,
                       KeloTimeType stay);

/// Removes entry `index`. A middle entry goes only when its neighbours are linked, so that
/// no run without a distance is made; the first and the last go without a check.
bool KeloRemoveTimetableStop(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                             std::int32_t index);

/// Whether a stop may go before entry `index`: linked from the entry before it (if any) and
/// to the entry it is put before.
bool KeloCanInsertTimetableStop(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                                std::int32_t index, const std::string& code);

/// Puts the stop `code` before entry `index`, arriving at 00:00 with no stay; refused when
/// KeloCanInsertTimetableStop says no.
bool KeloInsertTimetableStop(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                             std::int32_t index, const std::string& code);

/// Appends the stop `code` arriving at 00:00; no link is needed, since a timetable may be
/// built from its first stop on.
bool KeloAppendTimetableStop(KeloKeloScheduleClass& schedule, const std::string& code);

/// Arrivals after entry `index` from runs at `speed` km/h, starting at that entry's departure
/// and ending at the first run the topology does not know. The sums are not reduced to one
/// day. `onLongRun` hears of every run of a day or more (reduced modulo 24 h) by the index of
/// its first entry; `onRun` of every run done (or tried, for the last one) the same way.
bool KeloRecalculateAtSpeed(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                            std::int32_t index, double speed,
                            const std::function<void(std::int32_t)>& onLongRun = {},
                            const std::function<void(std::int32_t)>& onRun = {});
