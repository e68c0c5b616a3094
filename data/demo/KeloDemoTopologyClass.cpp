#include "KeloDemoTopologyClass.h"

#include "KeloDemoLookup.h"

KeloDemoTopologyClass::KeloDemoTopologyClass(const KeloDemoRootType& root)
    : links(root.links), linkCount(root.linkCount) {}

bool KeloDemoTopologyClass::HasLink(const std::string& codeA, const std::string& codeB) {
    return KeloDemoFindLinkRecord(links, linkCount, codeA, codeB) != nullptr;
}

float KeloDemoTopologyClass::GetDistance(const std::string& codeA, const std::string& codeB) {
    const KeloDemoLinkRecordType* link = KeloDemoFindLinkRecord(links, linkCount, codeA, codeB);
    return link ? link->distance : 0.0f;
}
