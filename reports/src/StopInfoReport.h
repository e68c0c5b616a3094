#pragma once

#include "KeloDataClass.h"

#include <ostream>
#include <string>
#include <vector>

/// One call of a kelo at the reported stop: a line of the station timetable.
struct StopInfoReportKeloDataType {
    std::string keloNumber;
    std::string keloName;
    KeloTimeType arrival;
    KeloTimeType stay;
};

/// Every call at the stop of every kelo of the set (a kelo calling twice gives two rows),
/// ordered by arrival with the empty arrivals first; equal arrivals keep the set order.
void CollectStopInfoRows(std::vector<StopInfoReportKeloDataType>& rows, KeloKeloSetPtrClass kelos,
                         const std::string& stopCode);
/// The same rows for every kelo of `data`, each timetable read in one call where the source
/// offers it.
void CollectStopInfoRows(std::vector<StopInfoReportKeloDataType>& rows, KeloDataPtrClass data,
                         const std::string& stopCode);

// The writers return false when the stream fails or a text cannot stand in a report line;
// they stop at the first failure.
bool WriteStopInfoHeader(std::ostream& file, KeloStopPtrClass stop);
bool WriteStopInfoRows(std::ostream& file, const std::vector<StopInfoReportKeloDataType>& rows);
bool WriteStopInfoFooter(std::ostream& file);

/// The whole station timetable of one stop of `data`; false when the stop is unknown or a
/// writer fails.
bool WriteStopInfoReport(std::ostream& file, KeloDataPtrClass data, const std::string& stopCode);
