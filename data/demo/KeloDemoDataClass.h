#pragma once

#include "KeloDataClass.h"
#include "KeloDemoTables.h"
#include "KeloSelectableDataClass.h"

#include <string>
#include <vector>

/// The built-in, read-only data source: answers every data interface from static tables.
/// Built over all kelos (empty selection) or over the kelos that call at least twice at the
/// stops of a selection; look-ups by key always search the whole tables.
class KeloDemoDataClass : public KeloDataClass, public KeloSelectableDataClass {
public:
    KeloDemoDataClass(const KeloDemoRootType& root, const std::vector<std::string>& selection);

    KeloKeloSetPtrClass GetKeloSet() override;
    KeloStopSetPtrClass GetStopSet() override;
    KeloTopologyPtrClass GetTopology() override;
    KeloKeloPtrClass FindKelo(const std::string& number) override;
    KeloStopPtrClass FindStop(const std::string& code) override;
    KeloBusPtrClass FindBus(const std::string& model) override;
    // Writes are accepted and ignored: this source cannot create or delete kelos.
    KeloKeloPtrClass CreateKelo(const std::string& number) override;
    void DeleteKelo(const std::string& number) override;
    // A new source over the same tables with the given selection.
    KeloDataPtrClass SelectStops(const std::vector<std::string>& stopCodes) override;

    /// Numbers of the offered kelos, in table order.
    const std::vector<std::string>& GetOfferedNumbers() const { return offered; }

private:
    bool IsSelected(const char* code) const;

    KeloDemoRootType root;
    std::vector<std::string> selection;
    std::vector<std::string> offered;
};

/// A new demonstration source over the built-in data set.
KeloDataPtrClass MakeBuiltInSource(const std::vector<std::string>& selection = {});
