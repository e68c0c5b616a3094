#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// What one command, undo or redo did to a diagram document: kelos by number, and the
/// selection afterwards. Whoever shows the document applies it; nothing else needs redoing.
struct KeloDocumentChangeType {
    std::vector<std::string> added;   // now in the document's kelo set
    std::vector<std::string> removed; // no longer in it
    std::vector<std::string> changed; // still there, timetable, name or bus changed
    std::string selected;             // the selected kelo afterwards, empty for none
    // The whole set may differ (after a save or a discard): rebuild everything.
    bool reset = false;

    bool IsEmpty() const { return added.empty() && removed.empty() && changed.empty() && !reset; }
    friend bool operator==(const KeloDocumentChangeType&, const KeloDocumentChangeType&) = default;
};

/// The kinds of undoable step; the window names them in its menu.
enum class KeloDocumentStepKind {
    Move,
    Invert,
    Copy,
    Delete,
    EditTimetable, // a timetable dialog closed with OK
    ChangeEntry,
    InsertStop,
    AppendStop,
    RemoveStop,
    Recalculate,
    Series // copies of a kelo at a fixed interval
};

/// The name of an undoable step: what was done to which kelo.
struct KeloDocumentStepNameType {
    KeloDocumentStepKind kind = KeloDocumentStepKind::Move;
    std::string number;

    friend bool operator==(const KeloDocumentStepNameType&,
                           const KeloDocumentStepNameType&) = default;
};

/// Display state of one kelo of the document, kept by number so that it survives a kelo
/// moving to another position or going and coming back with undo.
struct KeloDocumentKeloEntryType {
    bool visible = true;            // drawn; the kelo list's check box shows the same
    std::uint32_t color = 0x808080; // 0x00BBGGRR
    int penStyle = 0;               // solid

    friend bool operator==(const KeloDocumentKeloEntryType&,
                           const KeloDocumentKeloEntryType&) = default;
};
