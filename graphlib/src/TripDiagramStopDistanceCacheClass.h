#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <string>
#include <vector>

/// One segment of the displayed line: the road distance from a stop to the next one.
struct TripDiagramStopDistanceInfoType {
    float distance = 0;   // kilometres to the next stop of the line
    std::string stopCode; // code of the stop the segment starts at
};

/// Distance axis of a diagram line: where every stop row lies, in kilometres from the first
/// stop. Built once from the window's selection view; the last stop has no row of its own
/// and is reached through the index equal to the number of rows.
class TripDiagramStopDistanceCacheClass {
public:
    // Appends one row per consecutive pair of the view's stops.
    void Build(KeloDataPtrClass view);

    // Distance along the line between two stops; 0 for out-of-range indices or a == b.
    float GetDistanceBetween(std::uint32_t a, std::uint32_t b) const;
    float GetPosition(std::uint32_t index) const;
    float GetDistanceToEnd(std::uint32_t index) const;
    // The first row with that code, or the last stop when no row matches; always true.
    bool FindStopIndex(const std::string& code, std::uint32_t& index) const;
    float GetStopPosition(const std::string& code) const;

    // Total length of the line (GetDistanceToEnd of the first stop).
    float GetLength() const { return GetDistanceToEnd(0); }
    const std::vector<TripDiagramStopDistanceInfoType>& GetRows() const { return rows; }

private:
    std::vector<TripDiagramStopDistanceInfoType> rows;
};
