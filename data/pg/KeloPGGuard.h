#pragma once

#include "KeloPGConnectionClass.h"

#include <exception>

// The data interfaces cannot report errors, so a failed call is noted on the connection (the
// transaction then refuses to commit) and the call answers `fallback`.
template <class ResultType, class BodyType>
ResultType KeloPGGuard(KeloPGConnectionClass& connection, ResultType fallback, BodyType&& body) {
    try {
        return body();
    } catch (const std::exception& error) {
        connection.NoteFailure(error.what());
        return fallback;
    }
}

/// Makes one write of several statements whole: a savepoint inside a transaction, else a
/// transaction of its own. Undone unless Release is called.
class KeloPGSavepointClass {
public:
    explicit KeloPGSavepointClass(KeloPGConnectionClass& connection)
        : connection(connection), nested(connection.IsInTransaction()) {
        connection.Execute(nested ? "SAVEPOINT kelo_write" : "BEGIN");
    }
    ~KeloPGSavepointClass() {
        if (released)
            return;
        try {
            connection.Execute(nested ? "ROLLBACK TO kelo_write; RELEASE kelo_write" : "ROLLBACK");
        } catch (const std::exception& error) {
            connection.NoteFailure(error.what());
        }
    }
    KeloPGSavepointClass(const KeloPGSavepointClass&) = delete;
    KeloPGSavepointClass& operator=(const KeloPGSavepointClass&) = delete;

    void Release() {
        connection.Execute(nested ? "RELEASE kelo_write" : "COMMIT");
        released = true;
    }

private:
    KeloPGConnectionClass& connection;
    bool nested;
    bool released = false;
};
