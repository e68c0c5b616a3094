#include "KeloDBConnectionClass.h"

#include "KeloDBErrorClass.h"

#include <sqlite3.h>

namespace {

// SQLite built with URI names on reads "file:x.db?..." as a URI whatever the flags say;
// "./file:x.db?..." is the same file and never a URI.
std::string PlainFileName(const std::string& path) {
    return path.rfind("file:", 0) == 0 ? "./" + path : path;
}

} // namespace

KeloDBConnectionClass::KeloDBConnectionClass(const std::string& path, ModeType mode,
                                             int busyTimeoutMs)
    : path(path) {
    int flags = SQLITE_OPEN_NOMUTEX;
    flags |= mode == ModeType::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (mode == ModeType::CreateNew)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(PlainFileName(path).c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        const int code = db ? sqlite3_extended_errcode(db) : rc;
        sqlite3_close_v2(db);
        db = nullptr;
        throw KeloDBErrorClass(code, message);
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, busyTimeoutMs);
    try {
        Execute("PRAGMA foreign_keys = ON");
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
}

KeloDBConnectionClass::~KeloDBConnectionClass() {
    statements.clear();
    sqlite3_close_v2(db);
}

void KeloDBConnectionClass::Execute(const char* sql) {
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        throw KeloDBErrorClass(sqlite3_extended_errcode(db), message);
    }
}

KeloDBStatementClass& KeloDBConnectionClass::Statement(std::string_view sql) {
    auto found = statements.find(sql);
    if (found == statements.end())
        found =
            statements.emplace(std::string(sql), std::make_unique<KeloDBStatementClass>(db, sql))
                .first;
    return *found->second;
}

std::int64_t KeloDBConnectionClass::QueryInt(const char* sql) {
    KeloDBStatementClass statement(db, sql);
    return statement.Step() ? statement.ColumnInt(0) : 0;
}

std::int64_t KeloDBConnectionClass::GetLastInsertId() const {
    return sqlite3_last_insert_rowid(db);
}

bool KeloDBConnectionClass::IsInTransaction() const {
    return sqlite3_get_autocommit(db) == 0;
}

void KeloDBConnectionClass::NoteFailure(const std::string& message) {
    if (failure.empty())
        failure = message.empty() ? std::string("unknown database error") : message;
}

int KeloDBConnectionClass::GetChanges() const {
    return sqlite3_changes(db);
}

std::vector<std::string> KeloDBConnectionClass::GetStatementTexts() const {
    std::vector<std::string> texts;
    for (const auto& [sql, statement] : statements)
        texts.push_back(sql);
    return texts;
}
