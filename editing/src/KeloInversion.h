#pragma once

#include "KeloDataClass.h"

#include <string>

/// The questions and notices an inversion may need from the planner; the window or dialog
/// that runs the inversion answers them, tests answer them without widgets.
class KeloInvertQuestionsClass {
public:
    virtual ~KeloInvertQuestionsClass() = default;
    // Message-table entry 1, Yes/No: true goes on to check the data again.
    virtual bool AskAddMissingData() = 0;
    // Message-table entry 3, information only.
    virtual void ShowDatabaseMaintenanceNeeded() = 0;
    // The timetable has an entry at stop `stopName` (Windows-1251) without an arrival.
    virtual void ShowMissingArrival(const std::string& stopName) = 0;
};

/// Every leg of the timetable is known in the opposite direction.
bool CanInvertKelo(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology);

/// The same test; at the first unknown leg the planner is told that the database needs care.
bool ConfirmInvertData(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                       KeloInvertQuestionsClass& questions);

/// The whole check before an inversion: unknown reverse legs (asking whether to go on) and
/// entries without an arrival (refused, since the running times need both arrivals).
bool CheckKeloInvertible(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                         KeloInvertQuestionsClass& questions);

/// Reverses the timetable in place: the stops in reverse order, each with its former stay
/// and each leg with its former running time, starting at the former first arrival.
/// Answers false, changing nothing, when `CheckKeloInvertible` fails.
bool InvertKeloSchedule(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                        KeloInvertQuestionsClass& questions);
