#pragma once

#include "KeloDataClass.h"

#include <string>

/// Optional interface of a data source whose writes can be grouped so that they take effect
/// all together or not at all. A source without it writes each change as it comes.
class KeloTransactionClass {
public:
    virtual ~KeloTransactionClass() = default;
    // False (reason in GetTransactionError) when no transaction could be started, e.g. the
    // store stays locked by another program; nothing is written then.
    virtual bool BeginTransaction() = 0;
    // Keeps every write since BeginTransaction. False when that failed, or when one of those
    // writes failed: the whole transaction is then rolled back.
    virtual bool CommitTransaction() = 0;
    // Drops every write since BeginTransaction.
    virtual void RollbackTransaction() = 0;
    // Why the last begin or commit failed (plain ASCII from the store); empty otherwise.
    virtual std::string GetTransactionError() = 0;
};

/// The transaction interface of a source, or null when it has none.
inline KeloTransactionClass* KeloFindTransaction(KeloDataPtrClass source) {
    return source.IsNull() ? nullptr : dynamic_cast<KeloTransactionClass*>(&*source);
}
