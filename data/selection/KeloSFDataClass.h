#pragma once

#include "KeloDataClass.h"

#include <string>
#include <vector>

/// Data source that shows the layer below restricted to one line: its stop set is the stop
/// selection, and every timetable shows only the entries at those stops (as
/// KeloSFKeloScheduleClass, which also tells where entries were left out). Kelos, distances,
/// stops by code, bus models and kelo creation and deletion pass through unchanged.
/// Objects handed out refer to the selection held here and must not outlive this source.
class KeloSFDataClass : public KeloDataClass {
public:
    KeloSFDataClass(KeloDataPtrClass lower, const std::vector<std::string>& selection);

    KeloKeloSetPtrClass GetKeloSet() override;
    KeloStopSetPtrClass GetStopSet() override;
    KeloTopologyPtrClass GetTopology() override;
    KeloKeloPtrClass FindKelo(const std::string& number) override;
    KeloStopPtrClass FindStop(const std::string& code) override;
    KeloBusPtrClass FindBus(const std::string& model) override;
    KeloKeloPtrClass CreateKelo(const std::string& number) override;
    void DeleteKelo(const std::string& number) override;

private:
    KeloDataPtrClass Lower;
    std::vector<std::string> Selection;
};
