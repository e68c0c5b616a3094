#pragma once

#include "KeloDataClass.h"

#include <string>
#include <vector>

/// A kelo seen through the selection view: everything passes to the lower kelo except the
/// timetable, which shows only the line's stops. Speed and distance are not computed here
/// (both 0); the travel time covers the part of the kelo on the line.
class KeloSFKeloClass : public KeloKeloClass {
public:
    KeloSFKeloClass(KeloKeloPtrClass lower, const std::vector<std::string>* selection);

    std::string GetNumber() override;
    std::string GetName() override;
    KeloKeloSchedulePtrClass GetSchedule() override;
    KeloBusPtrClass GetBus() override;
    float GetAverageSpeed() override;
    float GetDistance() override;
    void SetName(const std::string& name) override;
    void SetBus(const std::string& model) override;

private:
    KeloKeloPtrClass Lower;
    const std::vector<std::string>* Selection;
};
