#include "KeloAverageSpeed.h"

void KeloAverageSpeedType::AddRun(const KeloTimeType& departure, const KeloTimeType& nextArrival,
                                  std::optional<float> km) {
    const KeloTimeType run = DayWrapDuration(departure, nextArrival);
    if (run.IsEmpty() || !km)
        return;
    running += run;
    distance += *km;
}

float KeloAverageSpeedType::Speed() const {
    if (running.IsZero())
        return 0;
    return distance / (static_cast<float>(running.GetTotalMinutes()) * (1.0f / 60.0f));
}
