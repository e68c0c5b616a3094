#pragma once

#include <functional>
#include <string>

class KeloCacheDataClass;
class KeloCachedUpdateDataClass;
class KeloTransactionClass;

/// How a save through a transaction went.
struct KeloSaveOutcomeType {
    // False: nothing of the save was kept below, and the buffer holds its changes again.
    bool saved = true;
    // Why not, as the store put it (plain ASCII).
    std::string error;
};

/// Runs `apply`, which writes changes of `buffer` through `cache` into the bottom source, as
/// one transaction of that source when it has one (`transaction` not null). When the
/// transaction cannot begin, `apply` does not run. When it cannot commit, it is rolled back,
/// `cache` forgets what it recorded, and `buffer` gets back every change it held before, so
/// the planner can save again. Without a transaction `apply` just runs.
KeloSaveOutcomeType KeloSaveInTransaction(KeloTransactionClass* transaction,
                                          KeloCacheDataClass& cache,
                                          KeloCachedUpdateDataClass& buffer,
                                          const std::function<void()>& apply);
