#pragma once

#include "KeloDataClass.h"
#include "KeloDemoTables.h"

/// One kelo record of the demonstration tables; distance and average speed are computed
/// from its rows and the link table. Read-only: SetName and SetBus do nothing.
class KeloDemoKeloClass : public KeloKeloClass {
public:
    KeloDemoKeloClass(const KeloDemoKeloRecordType& record, const KeloDemoRootType& root);

    std::string GetNumber() override;
    std::string GetName() override;
    KeloKeloSchedulePtrClass GetSchedule() override;
    KeloBusPtrClass GetBus() override;
    float GetAverageSpeed() override;
    float GetDistance() override;
    void SetName(const std::string& name) override;
    void SetBus(const std::string& model) override;

private:
    const KeloDemoKeloRecordType* record;
    KeloDemoRootType root;
};
