#include "KeloDemoDataClass.h"

#include "KeloDemoBusClass.h"
#include "KeloDemoKeloClass.h"
#include "KeloDemoKeloSetClass.h"
#include "KeloDemoLookup.h"
#include "KeloDemoStopClass.h"
#include "KeloDemoStopSetClass.h"
#include "KeloDemoTopologyClass.h"

KeloDemoDataClass::KeloDemoDataClass(const KeloDemoRootType& root,
                                     const std::vector<std::string>& selection)
    : root(root), selection(selection) {
    for (std::int32_t k = 0; k < root.keloCount; ++k) {
        const KeloDemoKeloRecordType& kelo = root.kelos[k];
        if (selection.empty()) {
            offered.emplace_back(kelo.number);
            continue;
        }
        // Two calls at selected stops are enough, even two at the same stop.
        int calls = 0;
        for (std::int32_t r = 0; r < kelo.rowCount && calls < 2; ++r)
            if (IsSelected(root.rows[kelo.firstRow + r].stop))
                ++calls;
        if (calls == 2)
            offered.emplace_back(kelo.number);
    }
}

bool KeloDemoDataClass::IsSelected(const char* code) const {
    for (const std::string& selected : selection)
        if (selected == code)
            return true;
    return false;
}

KeloKeloSetPtrClass KeloDemoDataClass::GetKeloSet() {
    return KeloKeloSetPtrClass(new KeloDemoKeloSetClass(offered, root));
}

KeloStopSetPtrClass KeloDemoDataClass::GetStopSet() {
    return KeloStopSetPtrClass(new KeloDemoStopSetClass(root.stops, root.stopCount));
}

KeloTopologyPtrClass KeloDemoDataClass::GetTopology() {
    return KeloTopologyPtrClass(new KeloDemoTopologyClass(root));
}

KeloKeloPtrClass KeloDemoDataClass::FindKelo(const std::string& number) {
    const KeloDemoKeloRecordType* record = KeloDemoFindKeloRecord(root, number);
    return record ? KeloKeloPtrClass(new KeloDemoKeloClass(*record, root)) : KeloKeloPtrClass();
}

KeloStopPtrClass KeloDemoDataClass::FindStop(const std::string& code) {
    const KeloDemoStopRecordType* record = KeloDemoFindStopRecord(root, code);
    return record ? KeloStopPtrClass(new KeloDemoStopClass(*record)) : KeloStopPtrClass();
}

KeloBusPtrClass KeloDemoDataClass::FindBus(const std::string& model) {
    const KeloDemoBusRecordType* record = KeloDemoFindBusRecord(root, model);
    return record ? KeloBusPtrClass(new KeloDemoBusClass(*record)) : KeloBusPtrClass();
}

KeloKeloPtrClass KeloDemoDataClass::CreateKelo(const std::string&) {
    return KeloKeloPtrClass();
}

void KeloDemoDataClass::DeleteKelo(const std::string&) {}

KeloDataPtrClass KeloDemoDataClass::SelectStops(const std::vector<std::string>& stopCodes) {
    return KeloDataPtrClass(new KeloDemoDataClass(root, stopCodes));
}

KeloDataPtrClass MakeBuiltInSource(const std::vector<std::string>& selection) {
    return KeloDataPtrClass(new KeloDemoDataClass(KeloDemoBuiltInRoot(), selection));
}
