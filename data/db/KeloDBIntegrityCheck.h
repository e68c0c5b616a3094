#pragma once

#include <string>

class KeloDBConnectionClass;

/// Longest distance a link may hold, in km: two and a half times round the Earth. Longer,
/// infinite or negative distances only come from damage or a broken feed.
inline constexpr double KeloDBMaxLinkKm = 100000;
/// Times are minutes of one day.
inline constexpr int KeloDBMaxMinute = 1439;

/// What the data layer relies on and SQLite's own page check cannot see: the schema's
/// columns, rows that refer to missing rows, stop positions numbered 0, 1, 2, ... per kelo,
/// and values within their ranges. Runs after `PRAGMA integrity_check` found the pages and
/// indexes sound. Returns what is wrong, empty for a sound file.
std::string KeloDBFindDamage(KeloDBConnectionClass& connection);
/// The first of those checks alone: a table or column the reads name that the file lacks.
std::string KeloDBFindMissingColumn(KeloDBConnectionClass& connection);
