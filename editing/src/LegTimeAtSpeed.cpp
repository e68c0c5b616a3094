#include "LegTimeAtSpeed.h"

#include <cmath>

KeloLegTimeType LegTimeAtSpeed(KeloTopologyClass& topology, const std::string& fromCode,
                               const std::string& toCode, double speed) {
    KeloLegTimeType leg;
    if (!topology.HasLink(fromCode, toCode))
        return leg;
    // The speed is held in single precision, as the data model holds every speed, and the
    // division is done there too: 55.5 km at 33.3 km/h is 101 minutes, not 100.
    const float kmh = static_cast<float>(speed);
    const float h = topology.GetDistance(fromCode, toCode) / kmh;
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
