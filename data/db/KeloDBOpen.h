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

/// Opens an existing Kelo database after checking that it is one, of a version this program
/// knows, and undamaged; nothing is written to a file that fails a check.
KeloDBOpenResultType KeloDBOpen(const std::string& path,
                                int busyTimeoutMs = KeloDBDefaultBusyTimeoutMs,
                                KeloDBOpenModeType mode = KeloDBOpenModeType::ReadWrite);
