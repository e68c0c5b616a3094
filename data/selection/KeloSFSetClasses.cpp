#include "KeloSFSetClasses.h"

#include "KeloAssert.h"
#include "KeloSFKeloClass.h"

KeloSFStopSetClass::KeloSFStopSetClass(KeloDataPtrClass lower,
                                       const std::vector<std::string>* selection)
    : Lower(std::move(lower)), Selection(selection) {}

std::int32_t KeloSFStopSetClass::GetCount() {
    return static_cast<std::int32_t>(Selection->size());
}

KeloStopPtrClass KeloSFStopSetClass::GetItem(std::int32_t index) {
    KELO_ASSERT(index >= 0 && index < GetCount());
    return Lower->FindStop((*Selection)[index]);
}

KeloSFTopologyClass::KeloSFTopologyClass(KeloDataPtrClass lower) : Lower(std::move(lower)) {}

bool KeloSFTopologyClass::HasLink(const std::string& codeA, const std::string& codeB) {
    return Lower->GetTopology()->HasLink(codeA, codeB);
}

float KeloSFTopologyClass::GetDistance(const std::string& codeA, const std::string& codeB) {
    return Lower->GetTopology()->GetDistance(codeA, codeB);
}

KeloSFKeloSetClass::KeloSFKeloSetClass(KeloKeloSetPtrClass lower,
                                       const std::vector<std::string>* selection)
    : Lower(std::move(lower)), Selection(selection) {}

std::int32_t KeloSFKeloSetClass::GetCount() {
    return Lower->GetCount();
}

KeloKeloPtrClass KeloSFKeloSetClass::GetItem(std::int32_t index) {
    KeloKeloPtrClass kelo = Lower->GetItem(index);
    if (kelo.IsNull())
        return {};
    return KeloKeloPtrClass(new KeloSFKeloClass(kelo, Selection));
}
