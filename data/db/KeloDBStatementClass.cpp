#include "KeloDBStatementClass.h"

#include "KeloDBErrorClass.h"

#include <sqlite3.h>

KeloDBStatementClass::KeloDBStatementClass(sqlite3* db, std::string_view sql) : db(db) {
    Check(sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                             SQLITE_PREPARE_PERSISTENT, &stmt, nullptr));
}

KeloDBStatementClass::~KeloDBStatementClass() {
    sqlite3_finalize(stmt);
}

void KeloDBStatementClass::Check(int rc) const {
    if (rc != SQLITE_OK)
        throw KeloDBErrorClass(sqlite3_extended_errcode(db), sqlite3_errmsg(db));
}

void KeloDBStatementClass::Bind(int index, std::int64_t value) {
    Check(sqlite3_bind_int64(stmt, index, value));
}

void KeloDBStatementClass::Bind(int index, double value) {
    Check(sqlite3_bind_double(stmt, index, value));
}

void KeloDBStatementClass::Bind(int index, std::string_view bytes) {
    // A zero-length blob must still be a blob, not NULL: give it a non-null pointer.
    Check(sqlite3_bind_blob64(stmt, index, bytes.empty() ? "" : bytes.data(), bytes.size(),
                              SQLITE_TRANSIENT));
}

void KeloDBStatementClass::BindNull(int index) {
    Check(sqlite3_bind_null(stmt, index));
}

bool KeloDBStatementClass::Step() {
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int code = sqlite3_extended_errcode(db);
    const std::string message = sqlite3_errmsg(db);
    sqlite3_reset(stmt);
    throw KeloDBErrorClass(code, message);
}

void KeloDBStatementClass::Run() {
    while (Step()) {
    }
}

void KeloDBStatementClass::Reset() {
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
}

bool KeloDBStatementClass::IsNull(int column) const {
    return sqlite3_column_type(stmt, column) == SQLITE_NULL;
}

std::int64_t KeloDBStatementClass::ColumnInt(int column) const {
    return sqlite3_column_int64(stmt, column);
}

double KeloDBStatementClass::ColumnDouble(int column) const {
    return sqlite3_column_double(stmt, column);
}

std::string KeloDBStatementClass::ColumnBytes(int column) const {
    const void* data = sqlite3_column_blob(stmt, column);
    const int size = sqlite3_column_bytes(stmt, column);
    return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size))
                : std::string();
}

std::string KeloDBStatementClass::ColumnText(int column) const {
    const unsigned char* data = sqlite3_column_text(stmt, column);
    const int size = sqlite3_column_bytes(stmt, column);
    return data ? std::string(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size))
                : std::string();
}
