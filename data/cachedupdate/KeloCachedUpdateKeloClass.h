#pragma once

#include "KeloDataClass.h"

#include <string>

class KeloDataCUModifiedKeloStorageClass;

/// One kelo seen through an edit buffer: what its change record holds replaces the
/// underlying kelo's data; the rest is read from below. Writes only touch the record.
/// Made afresh per call; must not outlive its buffer.
class KeloCachedUpdateKeloClass : public KeloKeloClass {
public:
    KeloCachedUpdateKeloClass(KeloDataPtrClass underlying, std::string number,
                              KeloKeloPtrClass underlyingKelo,
                              KeloDataCUModifiedKeloStorageClass* modified);

    std::string GetNumber() override;
    std::string GetName() override;
    KeloKeloSchedulePtrClass GetSchedule() override;
    KeloBusPtrClass GetBus() override;
    float GetAverageSpeed() override;
    float GetDistance() override;
    void SetName(const std::string& name) override;
    void SetBus(const std::string& model) override;

private:
    KeloDataPtrClass underlying;
    std::string number;
    KeloKeloPtrClass underlyingKelo;
    KeloDataCUModifiedKeloStorageClass* modified;
};
