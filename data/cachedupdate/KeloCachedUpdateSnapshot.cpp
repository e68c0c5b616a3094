#include "KeloCachedUpdateDataClass.h"

#include <algorithm>

KeloCachedUpdateDataClass::SnapshotType KeloCachedUpdateDataClass::TakeSnapshot() const {
    return SnapshotType{deleted, modified, deletedVersions};
}

void KeloCachedUpdateDataClass::RestoreSnapshot(const SnapshotType& snapshot) {
    deleted = snapshot.deleted;
    modified = snapshot.modified;
    deletedVersions = snapshot.deletedVersions;
    RebuildKeloSet();
}

std::vector<KeloDataCUKeloStateType>
KeloCachedUpdateDataClass::TakeKeloStates(const std::vector<std::string>& numbers) {
    std::vector<KeloDataCUKeloStateType> states;
    states.reserve(numbers.size());
    for (const std::string& number : numbers) {
        KeloDataCUKeloStateType state;
        state.number = number;
        state.deletedAt = deleted.IndexOf(number);
        state.recordAt = modified.IndexOf(number);
        if (state.recordAt >= 0)
            state.record = *modified.GetItem(state.recordAt);
        state.setAt = keloSetPtr->IndexOfNumber(number);
        states.push_back(std::move(state));
    }
    return states;
}

void KeloCachedUpdateDataClass::RestoreKeloStates(
    const std::vector<KeloDataCUKeloStateType>& states) {
    // A step that changed timetables only leaves the kelo set alone: a set that still
    // mirrors the source keeps mirroring it.
    const bool setStays = std::all_of(states.begin(), states.end(), [this](const auto& state) {
        return keloSetPtr->IndexOfNumber(state.number) == state.setAt;
    });
    // Take every touched number out first; the untouched ones keep their order, so putting
    // the touched ones back in ascending order of their former positions rebuilds each list.
    for (const KeloDataCUKeloStateType& state : states) {
        deleted.Remove(state.number);
        modified.Remove(state.number);
        while (!setStays && keloSetPtr->IndexOfNumber(state.number) >= 0)
            keloSetPtr->RemoveNumber(state.number);
    }
    auto inOrder = [&states](int KeloDataCUKeloStateType::*position) {
        std::vector<const KeloDataCUKeloStateType*> sorted;
        for (const KeloDataCUKeloStateType& state : states)
            if (state.*position >= 0)
                sorted.push_back(&state);
        std::sort(sorted.begin(), sorted.end(),
                  [position](auto* a, auto* b) { return a->*position < b->*position; });
        return sorted;
    };
    for (const KeloDataCUKeloStateType* state : inOrder(&KeloDataCUKeloStateType::deletedAt))
        deleted.Insert(state->deletedAt, state->number);
    for (const KeloDataCUKeloStateType* state : inOrder(&KeloDataCUKeloStateType::recordAt))
        modified.Insert(state->recordAt, state->record);
    if (!setStays)
        for (const KeloDataCUKeloStateType* state : inOrder(&KeloDataCUKeloStateType::setAt))
            keloSetPtr->InsertNumber(state->setAt, state->number);
}

std::int32_t KeloCachedUpdateDataClass::IndexOfKelo(const std::string& number) {
    return keloSetPtr->IndexOfNumber(number);
}
