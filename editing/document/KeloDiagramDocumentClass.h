#pragma once

#include "KeloDataCUTypes.h"
#include "KeloDocumentChangeType.h"
#include "KeloDocumentHistoryClass.h"
#include "KeloInversion.h"
#include "KeloTransactionalSave.h"
#include "TripDiagramClass.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

/// Number and name the planner gave a copy.
struct KeloCopyRequestType {
    std::string number;
    std::string name;
};

/// Why copies made without a dialog (a series, a dragged copy) were not made.
enum class KeloCopiesRefusalType {
    None,
    NoKelo,      // no kelo of that number in the set
    NoStart,     // the kelo has no first arrival to shift from
    NoProposal,  // the copy-number proposal failed (a copy number in use is not a number)
    NoStartTime, // the interval or the times give no start time
    TooMany      // more copies than KeloSeriesMaxCopies
};

/// What a command that makes copies did, or why it made none.
struct KeloDocumentCopiesResultType {
    KeloDocumentChangeType change;
    KeloCopiesRefusalType refusal = KeloCopiesRefusalType::None;
    std::int32_t copies = 0; // how many it would have made, for the refusal of too many
};

/// How a save went: the transaction's outcome and the chosen changes the source held back.
struct KeloDocumentSaveResultType {
    KeloSaveOutcomeType outcome;
    KeloDataCUApplyResultType applied;
    KeloDocumentChangeType change;
};

/// The editing state of one diagram window: the data stack over the bottom source it is
/// given, the display entry of every kelo by number, the selected kelo by number, and the
/// undo history. Every edit is a command here; each returns what changed, and the same
/// change goes to every subscriber. The window and the dialogs only show it.
class KeloDiagramDocumentClass {
public:
    using ObserverType = std::function<void(const KeloDocumentChangeType&)>;

    KeloDiagramDocumentClass(KeloDataPtrClass bottom, std::vector<std::string> lineStopCodes,
                             std::string selectedNumber = {});
    KeloDiagramDocumentClass(const KeloDiagramDocumentClass&) = delete;
    KeloDiagramDocumentClass& operator=(const KeloDiagramDocumentClass&) = delete;

    const TripDiagramDataStackType& Stack() const { return stack; }
    KeloDataPtrClass GetEditBuffer() const { return stack.editBuffer; }
    KeloCachedUpdateDataClass& GetEditBufferObject() { return *stack.editBufferObject; }
    KeloDataPtrClass GetView() const { return stack.view; }
    const std::vector<std::string>& GetLineStopCodes() const { return lineStopCodes; }

    // The kelos in the order of the buffer's kelo set, and the position of one (-1).
    std::vector<std::string> KeloNumbers();
    std::int32_t IndexOf(const std::string& number);
    KeloKeloPtrClass FindKelo(const std::string& number);

    // Display entries by number; a kelo never set has the default entry.
    KeloDocumentKeloEntryType Entry(const std::string& number) const;
    void SetEntry(const std::string& number, const KeloDocumentKeloEntryType& entry);
    void SetVisible(const std::string& number, bool visible);
    const std::string& Selected() const { return selected; }
    void Select(const std::string& number) { selected = number; }

    // Subscribers hear every change a command, an undo or a redo makes.
    int Subscribe(ObserverType observer);
    void Unsubscribe(int id);

    // The kelo commands. A copy, where asked for, is made first and the rest is done to it.
    KeloDocumentChangeType MoveKelo(const std::string& number, std::int32_t startMinutes,
                                    const std::optional<KeloCopyRequestType>& copy = {});
    KeloDocumentChangeType InvertKelo(const std::string& number, std::int32_t startMinutes,
                                      KeloInvertQuestionsClass& questions,
                                      const std::optional<KeloCopyRequestType>& copy = {});
    KeloDocumentChangeType CopyKelo(const std::string& number, const KeloCopyRequestType& copy,
                                    std::int32_t startMinutes);
    // A copy at `startMinutes` under the proposed number and name: the copy of a dragged kelo.
    KeloDocumentCopiesResultType CopyKeloAt(const std::string& number, std::int32_t startMinutes);
    // Copies at every start from `first` to `last` by `interval` minutes, numbered by the
    // proposal in turn; the original stays and stays selected. One step, or nothing at all.
    KeloDocumentCopiesResultType MakeSeries(const std::string& number, std::int32_t first,
                                            std::int32_t last, std::int32_t interval);
    // Moves the kelo's start by `minutes`, wrapping into the day. Nudges of one kelo in a row
    // make one step.
    KeloDocumentChangeType NudgeKelo(const std::string& number, std::int32_t minutes);
    // `nextSelected` takes over the selection (the row shown next to the deleted one).
    KeloDocumentChangeType DeleteKelo(const std::string& number, const std::string& nextSelected);

    // Timetable edits of one kelo; see KeloTimetableCommands.h for when each is refused.
    KeloDocumentChangeType SetEntryTimes(const std::string& number, std::int32_t index,
                                         KeloTimeType arrival, KeloTimeType stay);
    KeloDocumentChangeType InsertStop(const std::string& number, std::int32_t index,
                                      const std::string& code);
    KeloDocumentChangeType AppendStop(const std::string& number, const std::string& code);
    KeloDocumentChangeType RemoveStop(const std::string& number, std::int32_t index);
    KeloDocumentChangeType RecalculateAtSpeed(const std::string& number, std::int32_t index,
                                              double speed);
    // Everything a timetable dialog did to the kelo in its own buffer over this document's,
    // as one step. `heldBack` gets the numbers the nested buffer could not write.
    KeloDocumentChangeType ApplyNestedEdits(const std::string& number,
                                            KeloCachedUpdateDataClass& nested,
                                            std::vector<std::string>* heldBack = nullptr);

    // Writes the chosen changes (positions of the buffer's change list) below, in one
    // transaction where the source has them, or drops every change. Both end the history.
    // A save's change names the saved kelos; it resets only when the set's order moved.
    KeloDocumentSaveResultType Save(const std::vector<bool>& chosen);
    KeloDocumentChangeType Discard();

    bool CanUndo() const { return history.CanUndo(); }
    bool CanRedo() const { return history.CanRedo(); }
    std::optional<KeloDocumentStepNameType> UndoName() const { return history.UndoName(); }
    std::optional<KeloDocumentStepNameType> RedoName() const { return history.RedoName(); }
    // Back to the state before the last step, or forward again; empty when there is none.
    KeloDocumentChangeType Undo();
    KeloDocumentChangeType Redo();
    const KeloDocumentHistoryClass& History() const { return history; }

private:
    // Runs `action` as one step over the kelos `touched`. A step that changes nothing (the
    // action refused, or found nothing to do) leaves no trace; one that throws is taken back
    // whole before the error goes on.
    KeloDocumentChangeType RunStep(KeloDocumentStepNameType name,
                                   const std::vector<std::string>& touched,
                                   const std::function<std::string()>& action, bool nudge = false);
    KeloDocumentChangeType RunScheduleStep(KeloDocumentStepKind kind, const std::string& number,
                                           const std::function<bool(KeloKeloScheduleClass&)>& edit);
    // The kelo of the copy made from `number`; null when the number is taken or empty.
    KeloKeloPtrClass MakeCopy(const std::string& number, const KeloCopyRequestType& copy);
    // Copies at these starts under proposed numbers, as one step named `kind`; the selection
    // goes to the last copy or, with `keepSelection`, stays.
    KeloDocumentCopiesResultType MakeProposedCopies(KeloDocumentStepKind kind,
                                                    const std::string& number,
                                                    const std::vector<std::int32_t>& starts,
                                                    bool keepSelection);
    KeloDocumentChangeType Restore(const std::vector<KeloDataCUKeloStateType>& from,
                                   const std::vector<KeloDataCUKeloStateType>& to,
                                   const std::map<std::string, KeloDocumentKeloEntryType>& entries,
                                   const std::string& selection);
    void Notify(const KeloDocumentChangeType& change);

    std::vector<std::string> lineStopCodes;
    TripDiagramDataStackType stack;
    std::map<std::string, KeloDocumentKeloEntryType> entries;
    std::string selected;
    KeloDocumentHistoryClass history;
    std::map<int, ObserverType> observers;
    int nextObserver = 0;
};
