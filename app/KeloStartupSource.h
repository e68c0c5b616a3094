#pragma once

#include "KeloDataClass.h"

#include <QString>

#include <functional>
#include <string>

/// The bottom data source start-up chose, or why there is none.
struct KeloStartupSourceType {
    KeloDataPtrClass source; // empty when `error` is set
    QString error;           // the message for the planner
    // The first read of the source that failed since it opened, empty when none; the data
    // interfaces answer a failed read with nothing, so a command asks here before it trusts
    // what it read.
    std::function<std::string()> readFailure = [] { return std::string(); };
};

/// The bottom source of this run: the built-in data when `databaseFile` is empty, else the
/// Kelo database in that file, which is first created from the built-in data set when no
/// such file exists. A file that is not a usable Kelo database is left untouched. `readOnly`
/// is for commands that only read: the file is neither created nor changed in any byte.
KeloStartupSourceType OpenStartupSource(const std::string& databaseFile, int busyTimeoutMs = 3000,
                                        bool readOnly = false);

/// Exit status of a start-up refused for its database.
inline constexpr int KeloStartupRefusedExitCode = 2;

/// The same, the reason shown in an error box captioned "Kelo" when there is no source.
KeloDataPtrClass OpenStartupSourceOrReport(const std::string& databaseFile);
