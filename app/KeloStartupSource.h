#pragma once

#include "KeloDataClass.h"

#include <QString>

#include <functional>
#include <ostream>
#include <string>

class KeloPlanWriterClass;

/// The bottom data source start-up chose, or why there is none.
struct KeloStartupSourceType {
    KeloDataPtrClass source; // empty when `error` is set
    QString error;           // the message for the planner
    // The first read of the source that failed since it opened, empty when none; the data
    // interfaces answer a failed read with nothing, so a command asks here before it trusts
    // what it read.
    std::function<std::string()> readFailure = [] { return std::string(); };
    std::string file;    // the plan file; empty for the built-in data
    QString planName;    // which plan is open, as the caption shows it
    QString saveRefusal; // not empty when this plan cannot be saved: why, for the planner
    // Set when the whole-file check runs behind the opening: waits for it and answers why
    // the plan cannot be trusted, empty for a sound one. Ask before anything but the first
    // list is read.
    std::function<QString()> awaitWholeCheck;
};

/// The bottom source of this run: the built-in data when `databaseFile` is empty; a plan on a
/// PostgreSQL server for a postgresql:// URI or a "host=... dbname=..." string (an empty
/// database is first filled from the built-in data set); else the Kelo database in that file,
/// which is first created from the built-in data set when no such file exists or the file is
/// empty. A store that is not a usable Kelo plan is left untouched; a file the planner may not
/// write opens for viewing only. `readOnly` is for commands that only read: a file is neither
/// created nor changed in any byte.
KeloStartupSourceType OpenStartupSource(const std::string& databaseFile, int busyTimeoutMs = 3000,
                                        bool readOnly = false);

/// The same for the window's start: a database file opens after its header and schema are
/// checked, and the check of every page and row runs meanwhile on another thread (see
/// `awaitWholeCheck`), so a large plan shows its choice list at once.
KeloStartupSourceType OpenStartupSourceCheckingBehind(const std::string& databaseFile);

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

/// The store a --database or --copy-database argument names, for messages: the file, or host
/// and database of a server (never the connection string, which may hold a password).
std::string DescribeStore(const std::string& store);
/// True when the argument names a PostgreSQL server rather than a file.
bool IsServerStore(const std::string& store);
/// Reads the whole plan kept in an existing store into `writer` and commits the writer.
/// Throws (std::exception) with the reason; an empty server database or a missing file is
/// refused, never created.
void ReadStorePlan(const std::string& store, KeloPlanWriterClass& writer);
/// Writes a new plan into a store that is a file not there yet or an empty server database:
/// `fill` gives every row and commits; all of it appears at once or nothing does. Throws.
void WriteNewStorePlan(const std::string& store,
                       const std::function<void(KeloPlanWriterClass&)>& fill);

/// `kelo --copy-database FROM TO`: prints the counts on `out`, a refusal on `err`; returns the
/// exit status (0, or 2 with nothing written).
int RunKeloCopyDatabaseCommand(const std::string& from, const std::string& to, std::ostream& out,
                               std::ostream& err);
/// `kelo --import-gtfs FEED --database STORE`: into a new file as before, or into an empty
/// server database by way of a temporary file copied over in one transaction.
int RunKeloGtfsImportIntoStore(const std::string& feed, const std::string& store,
                               const std::string& serviceDate, std::ostream& out,
                               std::ostream& err);
/// Shows `startup.error` in an error box captioned "Kelo" when there is no source; true
/// when there is one.
bool ReportStartupError(const KeloStartupSourceType& startup);
