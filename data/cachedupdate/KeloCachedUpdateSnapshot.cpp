#include "KeloCachedUpdateDataClass.h"

KeloCachedUpdateDataClass::SnapshotType KeloCachedUpdateDataClass::TakeSnapshot() const {
    return SnapshotType{deleted, modified, deletedVersions};
}

void KeloCachedUpdateDataClass::RestoreSnapshot(const SnapshotType& snapshot) {
    deleted = snapshot.deleted;
    modified = snapshot.modified;
    deletedVersions = snapshot.deletedVersions;
    RebuildKeloSet();
}
