#pragma once

#include <memory>
#include <string>

class KeloDBConnectionClass;

/// How opening a Kelo database went.
enum class KeloDBOpenStatusType {
    Ok,
    CannotOpen,      // missing, unreadable or locked file
    NotKeloDatabase, // not SQLite at all, or SQLite of another program
    Damaged,
    NewerVersion, // written by a newer program with a schema this one does not know
};

/// The result of KeloDBOpen: the connection when Ok, else the status and SQLite's detail.
struct KeloDBOpenResultType {
    KeloDBOpenStatusType status = KeloDBOpenStatusType::CannotOpen;
    std::string detail;
    std::shared_ptr<KeloDBConnectionClass> connection;
};

/// Waiting time for a database another program holds locked.
inline constexpr int KeloDBDefaultBusyTimeoutMs = 3000;

/// How a command means to use the database.
enum class KeloDBOpenModeType {
    ReadWrite, // switched to the WAL journal
    ReadOnly,  // the file and its header stay exactly as they are
};

/// How much of the file an open reads before it answers.
enum class KeloDBOpenCheckType {
    Whole, // every page, reference and value the reads rely on
    // The header and the schema only, so a large plan opens at once; the caller must have
    // KeloDBCheckWhole's answer before the planner works on the plan.
    Deferred,
};

/// Opens an existing Kelo database after checking that it is one, of a version this program
/// knows, and undamaged; nothing is written to a file that fails a check.
KeloDBOpenResultType KeloDBOpen(const std::string& path,
                                int busyTimeoutMs = KeloDBDefaultBusyTimeoutMs,
                                KeloDBOpenModeType mode = KeloDBOpenModeType::ReadWrite,
                                KeloDBOpenCheckType check = KeloDBOpenCheckType::Whole);

/// The whole-file check of an open that deferred it, on a read-only connection of its own, so
/// it may run on another thread: Ok, or why the file cannot be trusted. The connection is
/// closed again.
KeloDBOpenResultType KeloDBCheckWhole(const std::string& path,
                                      int busyTimeoutMs = KeloDBDefaultBusyTimeoutMs);
