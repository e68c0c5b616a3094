#pragma once

#include <cstdint>

class KeloDBConnectionClass;

// The Kelo database layout. Texts (codes, numbers, names, models) are BLOB columns holding
// the Windows-1251 bytes as they are, so they round-trip and compare byte by byte. Empty
// times are NULL. Links keep one row per unordered pair (lower stop id first), so the two
// directions can never disagree. `PRAGMA application_id` marks the file as ours and
// `PRAGMA user_version` holds the schema version.

/// Schema version this program writes and reads.
inline constexpr std::int64_t KeloDBSchemaVersion = 2;
/// "KELO" in ASCII.
inline constexpr std::int64_t KeloDBApplicationId = 0x4B454C4F;

/// Creates the tables of the newest version, without their secondary indexes, in the open
/// (empty) database.
void KeloDBCreateTables(KeloDBConnectionClass& connection);
/// Creates the secondary indexes; done after a bulk load, which is faster than keeping them
/// up to date row by row.
void KeloDBCreateIndexes(KeloDBConnectionClass& connection);
/// Stamps the application id and the schema version.
void KeloDBStampVersion(KeloDBConnectionClass& connection);
