#pragma once

#include "KeloDataClass.h"

#include <ostream>
#include <string>
#include <vector>

/// One timetable entry of the reported kelo with the distance run from its first stop.
struct TripInfoReportStopDataType {
    std::string stopName;
    KeloTimeType arrival;
    KeloTimeType stay;
    float distance = 0; // km from the first stop, summed in single precision
};

/// The kelo's timetable in order; each step adds the distance of the link from the previous
/// stop, or nothing when the topology knows no such link. No rows for a null kelo.
void CollectTripInfoRows(std::vector<TripInfoReportStopDataType>& rows, KeloKeloPtrClass kelo,
                         KeloTopologyPtrClass topology);

/// A distance as the report writes it: 15 significant digits of the single-precision value,
/// no trailing zeros, `decimalSeparator` (the user's locale's) in place of the point.
std::string FormatTripDistance(float distance, const std::string& decimalSeparator);

// The writers return false when the stream fails or a text cannot stand in a report line;
// they stop at the first failure. A kelo without a bus shows an empty model.
bool WriteTripInfoHeader(std::ostream& file, KeloKeloPtrClass kelo);
bool WriteTripInfoRows(std::ostream& file, const std::vector<TripInfoReportStopDataType>& rows,
                       const std::string& decimalSeparator);
bool WriteTripInfoFooter(std::ostream& file);

/// The whole trip information of one kelo of `data`; false when the kelo is unknown or a
/// writer fails.
bool WriteTripInfoReport(std::ostream& file, KeloDataPtrClass data, const std::string& keloNumber,
                         const std::string& decimalSeparator);
