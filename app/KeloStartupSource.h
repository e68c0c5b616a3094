#pragma once

#include "KeloDataClass.h"

#include <QString>

#include <string>

/// The bottom data source start-up chose, or why there is none.
struct KeloStartupSourceType {
    KeloDataPtrClass source; // empty when `error` is set
    QString error;           // the message for the planner
    std::string file;        // the plan file; empty for the built-in data
    QString planName;        // which plan is open, as the caption shows it
    QString saveRefusal;     // not empty when this plan cannot be saved: why, for the planner
};

/// The bottom source of this run: the built-in data when `databaseFile` is empty, else the
/// Kelo database in that file, which is first created from the built-in data set when no
/// such file exists or the file is empty. A file that is not a usable Kelo database is left
/// untouched; one the planner may not write opens for viewing only.
KeloStartupSourceType OpenStartupSource(const std::string& databaseFile, int busyTimeoutMs = 3000);

/// The planner's own plan, opened when no option names one: the plan opened last, else the
/// plan file in the user's data folder, made from the built-in data set on first start.
KeloStartupSourceType OpenPlannersPlan();

/// A new plan file made from the built-in data set; an existing file is never replaced.
KeloStartupSourceType CreatePlanFile(const std::string& file);

/// Where the planner's plan is kept unless another was opened: in the user's data folder.
std::string DefaultPlanFile();
/// The plan file opened last from the menu or by default, empty when none is remembered.
std::string RememberedPlanFile();
void RememberPlanFile(const std::string& file);

/// Exit status of a start-up refused for its database.
inline constexpr int KeloStartupRefusedExitCode = 2;

/// The same, the reason shown in an error box captioned "Kelo" when there is no source.
KeloDataPtrClass OpenStartupSourceOrReport(const std::string& databaseFile);
/// Shows `startup.error` in an error box captioned "Kelo" when there is no source; true
/// when there is one.
bool ReportStartupError(const KeloStartupSourceType& startup);
