#include "TripDiagramStopDistanceCacheClass.h"

#include <algorithm>

void TripDiagramStopDistanceCacheClass::Build(KeloDataPtrClass view) {
    KeloStopSetPtrClass stops = view->GetStopSet();
    KeloTopologyPtrClass topology = view->GetTopology();
    const std::int32_t count = stops->GetCount();
    if (count <= 1)
        return;
    for (std::int32_t i = 0; i + 1 < count; ++i) {
        KeloStopPtrClass next = stops->GetItem(i + 1);
        KeloStopPtrClass stop = stops->GetItem(i);
        const std::string nextCode = next->GetCode();
        const std::string code = stop->GetCode();
        // Travel order of the line: this stop first, the next one second.
        rows.push_back({topology->GetDistance(code, nextCode), code});
    }
}

float TripDiagramStopDistanceCacheClass::GetDistanceBetween(std::uint32_t a,
                                                            std::uint32_t b) const {
    const std::size_t stopCount = rows.size() + 1;
    if (a >= stopCount || b >= stopCount || a == b)
        return 0;
    const std::uint32_t lo = std::min(a, b);
    const std::uint32_t hi = std::max(a, b);
    float sum = 0;
    for (std::uint32_t i = lo; i < hi; ++i)
        sum += rows[i].distance;
    return sum;
}

float TripDiagramStopDistanceCacheClass::GetPosition(std::uint32_t index) const {
    return GetDistanceBetween(0, index);
}

float TripDiagramStopDistanceCacheClass::GetDistanceToEnd(std::uint32_t index) const {
    if (rows.empty())
        return 0;
    return GetDistanceBetween(index, static_cast<std::uint32_t>(rows.size()));
}

bool TripDiagramStopDistanceCacheClass::FindStopIndex(const std::string& code,
                                                      std::uint32_t& index) const {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].stopCode == code) {
            index = static_cast<std::uint32_t>(i);
            return true;
        }
    }
    index = static_cast<std::uint32_t>(rows.size());
    return true;
}

float TripDiagramStopDistanceCacheClass::GetStopPosition(const std::string& code) const {
    std::uint32_t index = 0;
    FindStopIndex(code, index);
    return GetPosition(index);
}
