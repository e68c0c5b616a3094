#include "KeloCATopologyClass.h"

KeloCATopologyClass::KeloCATopologyClass(KeloTopologyPtrClass lower) : Lower(std::move(lower)) {}

const KeloCATopologyLinkType& KeloCATopologyClass::Lookup(const std::string& codeA,
                                                          const std::string& codeB) {
    for (const KeloCATopologyLinkType& link : Links)
        if (link.StopA == codeA && link.StopB == codeB)
            return link;
    KeloCATopologyLinkType asked;
    asked.StopA = codeA;
    asked.StopB = codeB;
    asked.Linked = Lower->HasLink(codeA, codeB);
    asked.Distance = asked.Linked ? Lower->GetDistance(codeA, codeB) : 0.0f;
    Links.push_back(asked);
    return Links.back();
}

bool KeloCATopologyClass::HasLink(const std::string& codeA, const std::string& codeB) {
    return Lookup(codeA, codeB).Linked;
}

float KeloCATopologyClass::GetDistance(const std::string& codeA, const std::string& codeB) {
    return Lookup(codeA, codeB).Distance;
}
