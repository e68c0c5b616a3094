#include "LegTimeAtSpeed.h"

#include <cmath>

KeloLegTimeType LegTimeAtSpeed(KeloTopologyClass& topology, const std::string& fromCode,
                               const std::string& toCode, double speed) {
    KeloLegTimeType leg;
    if (!topology.HasLink(fromCode, toCode))
        return leg;
    const float h = static_cast<float>(topology.GetDistance(fromCode, toCode) / speed);
    // A distance or speed that gives no running time counts as an unknown run.
    if (!std::isfinite(h) || h < 0)
        return leg;
    leg.linked = true;
    // The fraction and its minutes in double precision from the single-precision hours.
    double hours = std::trunc(static_cast<double>(h));
    double minutes = std::ceil((static_cast<double>(h) - hours) * 60.0);
    if (minutes >= 60) {
        hours += 1;
        minutes -= 60;
    }
    if (hours > 23) {
        leg.longerThanDay = true;
        hours = std::fmod(hours, 24.0);
    }
    leg.duration = KeloTimeType(static_cast<std::int32_t>(hours * 60 + minutes));
    return leg;
}
