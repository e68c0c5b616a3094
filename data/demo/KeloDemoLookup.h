#pragma once

#include "KeloDemoTables.h"

#include <string_view>

// Linear searches over the static tables, in table order; the first whole-text, byte-by-byte
// match wins. Each gives null when the table has no such record.

const KeloDemoStopRecordType* KeloDemoFindStopRecord(const KeloDemoStopRecordType* stops,
                                                     std::int32_t count, std::string_view code);
const KeloDemoStopRecordType* KeloDemoFindStopRecord(const KeloDemoRootType& root,
                                                     std::string_view code);
const KeloDemoBusRecordType* KeloDemoFindBusRecord(const KeloDemoRootType& root,
                                                   std::string_view model);
const KeloDemoKeloRecordType* KeloDemoFindKeloRecord(const KeloDemoRootType& root,
                                                     std::string_view number);
const KeloDemoLinkRecordType* KeloDemoFindLinkRecord(const KeloDemoLinkRecordType* links,
                                                     std::int32_t count, std::string_view from,
                                                     std::string_view to);
const KeloDemoLinkRecordType* KeloDemoFindLinkRecord(const KeloDemoRootType& root,
                                                     std::string_view from, std::string_view to);
