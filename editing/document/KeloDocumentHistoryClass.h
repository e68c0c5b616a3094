#pragma once

#include "KeloDataCUTypes.h"
#include "KeloDocumentChangeType.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

/// One undoable step: the buffer states and display entries of the kelos it touched, before
/// and after, and the selection on both sides. Nothing of untouched kelos is kept.
struct KeloDocumentStepType {
    KeloDocumentStepNameType name;
    std::vector<KeloDataCUKeloStateType> before;
    std::vector<KeloDataCUKeloStateType> after;
    std::map<std::string, KeloDocumentKeloEntryType> entriesBefore;
    std::map<std::string, KeloDocumentKeloEntryType> entriesAfter;
    std::string selectedBefore;
    std::string selectedAfter;

    // Bytes held, for the memory of a long history.
    std::size_t Footprint() const;
};

/// The undo and redo stacks of one document. A new step drops whatever could be redone.
class KeloDocumentHistoryClass {
public:
    void Push(KeloDocumentStepType step);
    // A nudge of one kelo: pushed, or joined to the nudge of the same kelo just before it,
    // which then leads from its own state before to this step's state after.
    void PushNudge(KeloDocumentStepType step);
    bool CanUndo() const { return !undoSteps.empty(); }
    bool CanRedo() const { return !redoSteps.empty(); }
    std::optional<KeloDocumentStepNameType> UndoName() const;
    std::optional<KeloDocumentStepNameType> RedoName() const;
    // Moves the step from one stack to the other and gives it; null when there is none.
    const KeloDocumentStepType* TakeUndo();
    const KeloDocumentStepType* TakeRedo();
    void Clear();
    std::size_t UndoCount() const { return undoSteps.size(); }
    std::size_t Footprint() const;

private:
    std::vector<KeloDocumentStepType> undoSteps;
    std::vector<KeloDocumentStepType> redoSteps;
    std::string openNudge; // the kelo the last step nudged, while nothing else came since
};
