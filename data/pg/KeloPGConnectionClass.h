#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;
struct pg_result;

/// A failed PostgreSQL call: the server's or libpq's message, never the password, and the
/// SQLSTATE code when the server sent one.
class KeloPGErrorClass : public std::runtime_error {
public:
    KeloPGErrorClass(const std::string& message, std::string sqlState = {})
        : std::runtime_error(message), sqlState(std::move(sqlState)) {}
    const std::string& GetSqlState() const { return sqlState; }

private:
    std::string sqlState;
};

/// Values bound to the $1, $2, ... of one statement. Texts go as raw bytes (the columns are
/// BYTEA), numbers as text the server converts; nothing is ever pasted into SQL.
class KeloPGParamsClass {
public:
    KeloPGParamsClass& Int(std::int64_t value);
    KeloPGParamsClass& Bytes(std::string_view value);
    // Written without the locale, so a decimal comma never reaches the server.
    KeloPGParamsClass& Real(double value);
    KeloPGParamsClass& Null();
    // An empty time binds NULL.
    KeloPGParamsClass& Time(std::int64_t minutes, bool empty);

    int Count() const { return int(values.size()); }
    std::vector<const char*> Values() const;
    std::vector<int> Lengths() const;
    std::vector<int> Formats() const;

private:
    std::vector<std::optional<std::string>> values;
    std::vector<int> formats;
};

/// The rows of one statement, freed with the object. Results come in binary form, so bytes
/// and numbers need no parsing that the locale could disturb.
class KeloPGResultClass {
public:
    explicit KeloPGResultClass(pg_result* result) : result(result) {}
    ~KeloPGResultClass();
    KeloPGResultClass(KeloPGResultClass&& other) noexcept : result(other.result) {
        other.result = nullptr;
    }
    KeloPGResultClass(const KeloPGResultClass&) = delete;
    KeloPGResultClass& operator=(const KeloPGResultClass&) = delete;
    KeloPGResultClass& operator=(KeloPGResultClass&&) = delete;

    int Rows() const;
    // Rows changed by an INSERT, UPDATE or DELETE.
    int Changed() const;
    bool IsNull(int row, int column) const;
    // Any integer column (2, 4 or 8 bytes).
    std::int64_t Int(int row, int column) const;
    // A REAL or DOUBLE PRECISION column.
    double Double(int row, int column) const;
    std::string Bytes(int row, int column) const;

private:
    pg_result* result;
};

/// One open connection to a PostgreSQL server, closed with the object. Statements are
/// prepared once per SQL text and kept until the connection closes.
class KeloPGConnectionClass {
public:
    // `conninfo` is a postgresql:// URI or a "key=value" string; libpq adds what the
    // environment and ~/.pgpass give. Throws KeloPGErrorClass naming only host and database.
    explicit KeloPGConnectionClass(const std::string& conninfo);
    ~KeloPGConnectionClass();
    KeloPGConnectionClass(const KeloPGConnectionClass&) = delete;
    KeloPGConnectionClass& operator=(const KeloPGConnectionClass&) = delete;

    // Runs statements without parameters (schema, transaction control).
    void Execute(const std::string& sql);
    // Runs one statement with bound values through its prepared form.
    KeloPGResultClass Query(const std::string& sql, const KeloPGParamsClass& params = {});

    // "database D on host H", for messages.
    std::string Describe() const;
    bool IsInTransaction() const;
    // The connection is gone (server stopped, network down).
    bool IsBroken() const;
    void NoteFailure(const std::string& message);
    const std::string& GetFailure() const { return failure; }
    void ClearFailure() { failure.clear(); }
    // Reads what the server sent meanwhile and answers how many notifications came since the
    // connection opened; each listener compares with the count it saw last, so several
    // windows sharing the connection each learn of every one.
    std::uint64_t PollNotifications();

private:
    KeloPGResultClass Check(pg_result* result, bool expectRows);
    std::string Clean(std::string message) const;

    pg_conn* conn = nullptr;
    std::string password; // only to scrub it from messages
    std::string failure;
    std::uint64_t notifications = 0;
    std::map<std::string, std::string, std::less<>> prepared; // SQL text -> statement name
};

/// Host and database a connection string names (for a message before connecting), never
/// the password; empty parts when the string cannot be read.
std::string KeloPGDescribeConnInfo(const std::string& conninfo);
/// True for a string that selects a PostgreSQL server rather than an SQLite file.
bool KeloPGIsConnInfo(const std::string& text);
