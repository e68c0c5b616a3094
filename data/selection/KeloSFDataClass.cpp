#include "KeloSFDataClass.h"

#include "KeloSFKeloClass.h"
#include "KeloSFSetClasses.h"

KeloSFDataClass::KeloSFDataClass(KeloDataPtrClass lower, const std::vector<std::string>& selection)
    : Lower(std::move(lower)), Selection(selection) {}

KeloKeloSetPtrClass KeloSFDataClass::GetKeloSet() {
    return KeloKeloSetPtrClass(new KeloSFKeloSetClass(Lower->GetKeloSet(), &Selection));
}

KeloStopSetPtrClass KeloSFDataClass::GetStopSet() {
    return KeloStopSetPtrClass(new KeloSFStopSetClass(Lower, &Selection));
}

KeloTopologyPtrClass KeloSFDataClass::GetTopology() {
    return KeloTopologyPtrClass(new KeloSFTopologyClass(Lower));
}

KeloKeloPtrClass KeloSFDataClass::FindKelo(const std::string& number) {
    // A number unknown below stays an empty handle, so callers can test it like at every
    // other layer instead of holding a view over nothing.
    KeloKeloPtrClass kelo = Lower->FindKelo(number);
    if (kelo.IsNull())
        return {};
    return KeloKeloPtrClass(new KeloSFKeloClass(kelo, &Selection));
}

KeloStopPtrClass KeloSFDataClass::FindStop(const std::string& code) {
    return Lower->FindStop(code);
}

KeloBusPtrClass KeloSFDataClass::FindBus(const std::string& model) {
    return Lower->FindBus(model);
}

KeloKeloPtrClass KeloSFDataClass::CreateKelo(const std::string& number) {
    return Lower->CreateKelo(number);
}

void KeloSFDataClass::DeleteKelo(const std::string& number) {
    Lower->DeleteKelo(number);
}
