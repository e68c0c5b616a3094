#include "KeloCachedUpdateDataClass.h"

KeloCachedUpdateDataClass::SnapshotType KeloCachedUpdateDataClass::TakeSnapshot() const {
    return SnapshotType{deleted, modified};
}

void KeloCachedUpdateDataClass::RestoreSnapshot(const SnapshotType& snapshot) {
    deleted = snapshot.deleted;
    modified = snapshot.modified;
    keloSetPtr->Reset();
    if (deleted.GetCount() == 0 && modified.GetCount() == 0)
        return;
    for (std::int32_t i = 0; i < deleted.GetCount(); ++i)
        keloSetPtr->RemoveNumber(deleted.GetItem(i));
    for (std::int32_t i = 0; i < modified.GetCount(); ++i)
        if (const KeloDataCUKeloType* record = modified.GetItem(i); record->isNew)
            keloSetPtr->AddNumber(record->number);
}
