#pragma once

#include "KeloTimeType.h"

#include <optional>

/// A kelo's average speed, summed run by run: the distance over the running time. It lives
/// with the data interfaces because every source and layer that answers GetAverageSpeed
/// reads it from its own records and none of them may reach the editing rules above.
class KeloAverageSpeedType {
public:
    // One run from `departure` at an entry to `nextArrival` at the following one, over `km`,
    // or between stops without a link when `km` is empty. A run missing a time or a link
    // counts neither its time nor its distance; running time steps over midnight.
    void AddRun(const KeloTimeType& departure, const KeloTimeType& nextArrival,
                std::optional<float> km);
    // km/h; 0 when no running time was added.
    float Speed() const;

private:
    KeloTimeType running{0};
    float distance = 0;
};
