#pragma once

#include "KeloCachedUpdateKeloSetClass.h"
#include "KeloDataCUDeletedKeloStorageClass.h"
#include "KeloDataCUModifiedKeloStorageClass.h"
#include "KeloDataCUTypes.h"
#include "KeloDataClass.h"
#include "KeloKeloRouteDataClass.h"
#include "KeloScheduleRowsDataClass.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

/// Edit buffer over any data source, another edit buffer included. Reads pass through until
/// something changes; every change (created or deleted kelos, names, buses, timetables) stays
/// here, visible to reads through the buffer, until ApplyUpdates writes it below or
/// CancelUpdates drops it. Objects it hands out must not outlive it.
class KeloVersionedDataClass;

class KeloCachedUpdateDataClass : public KeloDataClass,
                                  public KeloKeloRouteDataClass,
                                  public KeloScheduleRowsDataClass {
public:
    explicit KeloCachedUpdateDataClass(KeloDataPtrClass underlying);

    KeloCachedUpdateDataClass(const KeloCachedUpdateDataClass&) = delete;
    KeloCachedUpdateDataClass& operator=(const KeloCachedUpdateDataClass&) = delete;

    // The same kelo set object every time.
    KeloKeloSetPtrClass GetKeloSet() override;
    KeloStopSetPtrClass GetStopSet() override;
    KeloTopologyPtrClass GetTopology() override;
    // A kelo deleted in this buffer is still found, so its name can be shown among the changes.
    KeloKeloPtrClass FindKelo(const std::string& number) override;
    KeloStopPtrClass FindStop(const std::string& code) override;
    KeloBusPtrClass FindBus(const std::string& model) override;
    // Numbers are not checked for uniqueness; callers give fresh ones.
    KeloKeloPtrClass CreateKelo(const std::string& number) override;
    void DeleteKelo(const std::string& number) override;

    // A route set here is kept with the kelo's other changes and written below with them;
    // otherwise the route below is read, as long as the kelo is not new here.
    std::optional<KeloFeedRouteType> GetKeloRoute(const std::string& number) override;
    // The buffered timetable of a changed kelo, else what the layer below answers.
    std::optional<std::vector<KeloScheduleRowType>>
    GetScheduleRows(const std::string& number) override;
    bool SetKeloRoute(const std::string& number,
                      const std::optional<KeloFeedRouteType>& route) override;

    // Position of the number in the buffer's kelo set, or -1 (a deleted kelo is not listed).
    std::int32_t IndexOfKelo(const std::string& number);

    // Deleted kelos first, in order of deletion, then the change records in the order they
    // were first made.
    int GetChangeCount();
    void GetChange(int index, KeloDataCUChangeKind& kind, std::string& number);

    // Writes every change the underlying source takes: deletions first, then the records in
    // order. Changes it cannot take (a kelo the source cannot create, or no longer finds, or
    // whose name or timetable it refuses; a kelo it does not delete) stay in the buffer, listed
    // and still readable, to be saved again or dropped. Returns their numbers in change order;
    // empty when everything was written and the buffer is empty and transparent again.
    std::vector<std::string> ApplyUpdates();
    // The same for the changes at the positions of GetChange whose flag in `chosen` is set;
    // every other change stays in the buffer as it was. Tells, for every chosen change held
    // back, which of its parts still reached the layer below.
    KeloDataCUApplyResultType ApplySelectedUpdates(const std::vector<bool>& chosen);
    // Drops every change.
    void CancelUpdates();
    // The kelo has a change waiting in this buffer (created, deleted or changed).
    bool HasChange(const std::string& number) const {
        return deleted.Contains(number) || modified.Contains(number);
    }
    // Drops the changes of one kelo; the kelo then reads as the source below has it now.
    void DiscardKelo(const std::string& number);
    // Keeps the changes of one kelo but reads it afresh below and takes its present version as
    // the one read, so the next save writes them over another planner's change, knowingly.
    // A kelo gone below meanwhile is created anew by that save; one created below meanwhile
    // is changed rather than created.
    void ReloadKelo(const std::string& number);

private:
    // Writes one record into the underlying source; false when the source did not take it.
    // Parts that did reach the source are noted in `progress` and dropped from the record,
    // so the record keeps exactly what is still unsaved.
    bool WriteRecord(KeloDataCUKeloType& record, KeloDataCUHeldBackType& progress);
    // False when the source below has versions and the kelo's is no longer `readVersion`;
    // otherwise the version is raised below and `readVersion` follows it.
    bool Claim(const std::string& number, std::int64_t& readVersion);
    // The set: the underlying kelos less buffered deletions plus kelos created here.
    void RebuildKeloSet();

    KeloDataPtrClass underlying;
    KeloDataCUDeletedKeloStorageClass deleted;
    KeloDataCUModifiedKeloStorageClass modified;
    // The version each deleted kelo had when read (over a source with versions).
    std::map<std::string, std::int64_t> deletedVersions;
    KeloVersionedDataClass* versioned;
    KeloKeloSetPtrClass keloSet;
    KeloCachedUpdateKeloSetClass* keloSetPtr;

public:
    /// Every change the buffer holds, taken before a save so that a save the source below
    /// undid as a whole (a rolled-back transaction) can be put back, to be saved again.
    struct SnapshotType {
        KeloDataCUDeletedKeloStorageClass deleted;
        KeloDataCUModifiedKeloStorageClass modified;
        std::map<std::string, std::int64_t> deletedVersions;
    };
    SnapshotType TakeSnapshot() const;
    // Puts back the changes of the snapshot; the kelo set is rebuilt over the source below
    // as it is now, which must be the state the snapshot was taken over.
    void RestoreSnapshot(const SnapshotType& snapshot);

    // What the buffer holds about each of these numbers, for taking one step back: only the
    // kelos a step touched are kept, never the whole buffer.
    std::vector<KeloDataCUKeloStateType> TakeKeloStates(const std::vector<std::string>& numbers);
    // Puts back states taken by TakeKeloStates while every other kelo of the buffer stayed
    // as it was then; the change list and the kelo set come back in their former order.
    void RestoreKeloStates(const std::vector<KeloDataCUKeloStateType>& states);
};
