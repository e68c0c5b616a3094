#pragma once

#include <cstdint>

class KeloDBConnectionClass;

/// Schema version that first holds what a feed export needs.
inline constexpr std::int64_t KeloDBGtfsColumnsVersion = 2;

/// The schema step from version 1 to 2, run inside the caller's open transaction: nullable
/// stop positions, the agency table, and per kelo its feed route and original trip id. It
/// touches no version stamp.
void KeloDBAddGtfsColumns(KeloDBConnectionClass& connection);

/// Brings a version 1 file up to version 2 in one transaction; a file of version 2 is left
/// alone. Throws KeloDBErrorClass, leaving the file as it was, when the step fails.
void KeloDBUpgradeToGtfsColumns(KeloDBConnectionClass& connection);
