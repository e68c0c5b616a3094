#include "KeloSFKeloClass.h"

#include "KeloSFKeloScheduleClass.h"

KeloSFKeloClass::KeloSFKeloClass(KeloKeloPtrClass lower, const std::vector<std::string>* selection)
    : Lower(std::move(lower)), Selection(selection) {}

std::string KeloSFKeloClass::GetNumber() {
    return Lower->GetNumber();
}

std::string KeloSFKeloClass::GetName() {
    return Lower->GetName();
}

KeloKeloSchedulePtrClass KeloSFKeloClass::GetSchedule() {
    return KeloKeloSchedulePtrClass(new KeloSFKeloScheduleClass(Lower->GetSchedule(), Selection));
}

KeloBusPtrClass KeloSFKeloClass::GetBus() {
    return Lower->GetBus();
}

float KeloSFKeloClass::GetAverageSpeed() {
    return 0;
}

float KeloSFKeloClass::GetDistance() {
    return 0;
}

void KeloSFKeloClass::SetName(const std::string& name) {
    Lower->SetName(name);
}

void KeloSFKeloClass::SetBus(const std::string& model) {
    Lower->SetBus(model);
}
