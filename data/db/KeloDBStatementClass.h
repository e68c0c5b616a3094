#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

/// One prepared SQLite statement, finalized with the object. Every failing call throws
/// KeloDBErrorClass. Texts are bound and read as BLOBs so bytes round-trip untouched.
class KeloDBStatementClass {
public:
    KeloDBStatementClass(sqlite3* db, std::string_view sql);
    ~KeloDBStatementClass();
    KeloDBStatementClass(const KeloDBStatementClass&) = delete;
    KeloDBStatementClass& operator=(const KeloDBStatementClass&) = delete;

    // Parameters count from 1, columns from 0.
    void Bind(int index, std::int64_t value);
    void Bind(int index, double value);
    void Bind(int index, std::string_view bytes);
    void BindNull(int index);

    // True when a row is ready, false when the statement has run to its end.
    bool Step();
    // Runs a statement that returns no rows (or ignores them).
    void Run();
    // Makes the statement ready for another run and drops the bound values.
    void Reset();

    bool IsNull(int column) const;
    std::int64_t ColumnInt(int column) const;
    double ColumnDouble(int column) const;
    std::string ColumnBytes(int column) const;
    // A TEXT value as UTF-8 whatever the database's encoding (PRAGMA answers, names).
    std::string ColumnText(int column) const;

private:
    void Check(int rc) const;

    sqlite3* db;
    sqlite3_stmt* stmt = nullptr;
};
