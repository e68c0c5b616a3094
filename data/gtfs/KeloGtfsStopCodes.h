#pragma once

#include <cstdint>
#include <string>
#include <vector>

class KeloGtfsFeedTablesClass;

/// The Windows-1251 code of every stop: stop_code where it is given and names one stop only,
/// and no other stop's stop_id, else stop_id. Two written stops (`written[s]`) whose codes
/// become the same bytes are refused, naming stops.txt, the later stop's line and both ids.
/// Adds the characters the code page could not hold in written codes to `replaced`.
std::vector<std::string> KeloGtfsStopCodes(const KeloGtfsFeedTablesClass& tables,
                                           const std::vector<bool>& written,
                                           std::uint64_t& replaced);
