#include "KeloTransactionalSave.h"

#include "KeloCacheDataClass.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloTransactionClass.h"

KeloSaveOutcomeType KeloSaveInTransaction(KeloTransactionClass* transaction,
                                          KeloCacheDataClass& cache,
                                          KeloCachedUpdateDataClass& buffer,
                                          const std::function<void()>& apply) {
    KeloSaveOutcomeType outcome;
    if (!transaction) {
        apply();
        return outcome;
    }
    if (!transaction->BeginTransaction()) {
        outcome.saved = false;
        outcome.error = transaction->GetTransactionError();
        return outcome;
    }
    const KeloCachedUpdateDataClass::SnapshotType before = buffer.TakeSnapshot();
    try {
        apply();
    } catch (...) {
        transaction->RollbackTransaction();
        cache.ForgetKelos();
        buffer.RestoreSnapshot(before);
        throw;
    }
    if (transaction->CommitTransaction())
        return outcome;
    outcome.saved = false;
    outcome.error = transaction->GetTransactionError();
    cache.ForgetKelos();
    buffer.RestoreSnapshot(before);
    return outcome;
}
