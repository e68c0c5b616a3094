#pragma once

#include "KeloDataClass.h"

#include <QString>

#include <string>

/// The bottom data source start-up chose, or why there is none.
struct KeloStartupSourceType {
    KeloDataPtrClass source; // empty when `error` is set
    QString error;           // the message for the planner
};

/// The bottom source of this run: the built-in data when `databaseFile` is empty; a plan on a
/// PostgreSQL server for a postgresql:// URI or a "host=... dbname=..." string (an empty
/// database is first filled from the built-in data set); else the Kelo database in that file,
/// which is first created from the built-in data set when no such file exists. A store that
/// is not a usable Kelo plan is left untouched.
KeloStartupSourceType OpenStartupSource(const std::string& databaseFile, int busyTimeoutMs = 3000);

/// Exit status of a start-up refused for its database.
inline constexpr int KeloStartupRefusedExitCode = 2;

/// The same, the reason shown in an error box captioned "Kelo" when there is no source.
KeloDataPtrClass OpenStartupSourceOrReport(const std::string& databaseFile);
