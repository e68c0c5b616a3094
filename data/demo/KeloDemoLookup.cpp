#include "KeloDemoLookup.h"

const KeloDemoStopRecordType* KeloDemoFindStopRecord(const KeloDemoStopRecordType* stops,
                                                     std::int32_t count, std::string_view code) {
    for (std::int32_t i = 0; i < count; ++i)
        if (code == stops[i].code)
            return &stops[i];
    return nullptr;
}

const KeloDemoStopRecordType* KeloDemoFindStopRecord(const KeloDemoRootType& root,
                                                     std::string_view code) {
    return KeloDemoFindStopRecord(root.stops, root.stopCount, code);
}

const KeloDemoBusRecordType* KeloDemoFindBusRecord(const KeloDemoRootType& root,
                                                   std::string_view model) {
    for (std::int32_t i = 0; i < root.busCount; ++i)
        if (model == root.buses[i].model)
            return &root.buses[i];
    return nullptr;
}

const KeloDemoKeloRecordType* KeloDemoFindKeloRecord(const KeloDemoRootType& root,
                                                     std::string_view number) {
    for (std::int32_t i = 0; i < root.keloCount; ++i)
        if (number == root.kelos[i].number)
            return &root.kelos[i];
    return nullptr;
}

const KeloDemoLinkRecordType* KeloDemoFindLinkRecord(const KeloDemoLinkRecordType* links,
                                                     std::int32_t count, std::string_view from,
                                                     std::string_view to) {
    for (std::int32_t i = 0; i < count; ++i)
        if (from == links[i].from && to == links[i].to)
            return &links[i];
    return nullptr;
}

const KeloDemoLinkRecordType* KeloDemoFindLinkRecord(const KeloDemoRootType& root,
                                                     std::string_view from, std::string_view to) {
    return KeloDemoFindLinkRecord(root.links, root.linkCount, from, to);
}
