#pragma once

#include "KeloDBStatementClass.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
class KeloDBPrefetchClass;

/// One open SQLite database, closed with the object. Keeps each prepared statement for reuse
/// (looked up by its SQL text) until the connection closes; foreign keys are always on.
class KeloDBConnectionClass {
public:
    enum class ModeType { OpenExisting, CreateNew, ReadOnly };

    // Throws KeloDBErrorClass when the file cannot be opened (or, for CreateNew, created).
    // The path is a file name, never an SQLite URI.
    KeloDBConnectionClass(const std::string& path, ModeType mode, int busyTimeoutMs);
    ~KeloDBConnectionClass();
    KeloDBConnectionClass(const KeloDBConnectionClass&) = delete;
    KeloDBConnectionClass& operator=(const KeloDBConnectionClass&) = delete;

    // Runs one or more statements that return no rows.
    void Execute(const char* sql);
    // The cached statement for the SQL text, ready to bind; see KeloDBQueryClass.
    KeloDBStatementClass& Statement(std::string_view sql);
    // A single integer from a query such as a PRAGMA; 0 when it returns no row.
    std::int64_t QueryInt(const char* sql);
    // The SQL texts of the statements kept so far, for checking their query plans.
    std::vector<std::string> GetStatementTexts() const;

    std::int64_t GetLastInsertId() const;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int GetChanges() const;
    // The first failure a data object swallowed (its interface has no way to report it)
    // since the last ClearFailure; empty when none.
    void NoteFailure(const std::string& message);
    const std::string& GetFailure() const { return failure; }
    void ClearFailure() { failure.clear(); }
    bool IsInTransaction() const;
    sqlite3* GetHandle() const { return db; }
    // The last bulk read of kelos, which the reads consult while it is current.
    void SetPrefetch(std::shared_ptr<const KeloDBPrefetchClass> bulk) {
        prefetch = std::move(bulk);
    }
    const std::shared_ptr<const KeloDBPrefetchClass>& GetPrefetch() const { return prefetch; }
    const std::string& GetPath() const { return path; }

private:
    std::string path;
    std::string failure;
    sqlite3* db = nullptr;
    std::map<std::string, std::unique_ptr<KeloDBStatementClass>, std::less<>> statements;
    std::shared_ptr<const KeloDBPrefetchClass> prefetch;
};

/// A cached statement borrowed for one use: reset when the object goes, so no read stays
/// open and the next user finds it clean.
class KeloDBQueryClass {
public:
    KeloDBQueryClass(KeloDBConnectionClass& connection, std::string_view sql)
        : statement(connection.Statement(sql)) {}
    ~KeloDBQueryClass() { statement.Reset(); }
    KeloDBQueryClass(const KeloDBQueryClass&) = delete;
    KeloDBQueryClass& operator=(const KeloDBQueryClass&) = delete;

    KeloDBStatementClass* operator->() { return &statement; }
    KeloDBStatementClass& operator*() { return statement; }

private:
    KeloDBStatementClass& statement;
};
