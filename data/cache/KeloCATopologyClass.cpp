#include "KeloCATopologyClass.h"

KeloCATopologyClass::KeloCATopologyClass(KeloTopologyPtrClass lower) : Lower(std::move(lower)) {}

const KeloCATopologyLinkType& KeloCATopologyClass::Lookup(const std::string& codeA,
                                                          const std::string& codeB) {
    if (const std::size_t at = Index.Find({codeA, codeB}); at != Index.None)
        return Links[at];
    KeloCATopologyLinkType asked;
    asked.StopA = codeA;
    asked.StopB = codeB;
    asked.Linked = Lower->HasLink(codeA, codeB);
    asked.Distance = asked.Linked ? Lower->GetDistance(codeA, codeB) : 0.0f;
    Links.push_back(asked);
    Index.Add({codeA, codeB}, Links.size() - 1);
    return Links.back();
}

bool KeloCATopologyClass::HasLink(const std::string& codeA, const std::string& codeB) {
    return Lookup(codeA, codeB).Linked;
}

float KeloCATopologyClass::GetDistance(const std::string& codeA, const std::string& codeB) {
    return Lookup(codeA, codeB).Distance;
}
