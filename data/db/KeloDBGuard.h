#pragma once

#include "KeloDBConnectionClass.h"

#include "KeloTimeType.h"

#include <exception>
#include <string>

// The data interfaces cannot report errors, so a failed database call is noted on the
// connection (a transaction then refuses to commit) and the call answers `fallback`.
template <class ResultType, class BodyType>
ResultType KeloDBGuard(KeloDBConnectionClass& connection, ResultType fallback, BodyType&& body) {
    try {
        return body();
    } catch (const std::exception& error) {
        connection.NoteFailure(error.what());
        return fallback;
    }
}

/// A savepoint around one write made of several statements: undone unless Release is called.
class KeloDBSavepointClass {
public:
    // Prepared once per connection: a save writes thousands of entries, each in a savepoint.
    explicit KeloDBSavepointClass(KeloDBConnectionClass& connection) : connection(connection) {
        KeloDBQueryClass open(connection, "SAVEPOINT kelo_write");
        open->Run();
    }
    ~KeloDBSavepointClass() {
        if (released)
            return;
        try {
            connection.Execute("ROLLBACK TO kelo_write; RELEASE kelo_write");
        } catch (const std::exception& error) {
            connection.NoteFailure(error.what());
        }
    }
    KeloDBSavepointClass(const KeloDBSavepointClass&) = delete;
    KeloDBSavepointClass& operator=(const KeloDBSavepointClass&) = delete;

    void Release() {
        KeloDBQueryClass release(connection, "RELEASE kelo_write");
        release->Run();
        released = true;
    }

private:
    KeloDBConnectionClass& connection;
    bool released = false;
};

// Empty times are stored as NULL.
inline void KeloDBBindTime(KeloDBStatementClass& statement, int index, KeloTimeType time) {
    if (time.IsEmpty())
        statement.BindNull(index);
    else
        statement.Bind(index, static_cast<std::int64_t>(time.GetTotalMinutes()));
}

inline KeloTimeType KeloDBColumnTime(const KeloDBStatementClass& statement, int column) {
    return statement.IsNull(column)
               ? KeloTimeType()
               : KeloTimeType(static_cast<std::int32_t>(statement.ColumnInt(column)));
}
