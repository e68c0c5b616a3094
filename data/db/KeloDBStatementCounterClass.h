#pragma once

#include <cstdint>

class KeloDBConnectionClass;

/// Counts the SQL statements a connection runs while the object lives (each run of a
/// prepared statement, each statement of an Execute), so that a test can bound how many a
/// path issues. One counter per connection at a time.
class KeloDBStatementCounterClass {
public:
    explicit KeloDBStatementCounterClass(KeloDBConnectionClass& connection);
    ~KeloDBStatementCounterClass();
    KeloDBStatementCounterClass(const KeloDBStatementCounterClass&) = delete;
    KeloDBStatementCounterClass& operator=(const KeloDBStatementCounterClass&) = delete;

    std::int64_t GetCount() const { return count; }

private:
    KeloDBConnectionClass& connection;
    std::int64_t count = 0;
};
