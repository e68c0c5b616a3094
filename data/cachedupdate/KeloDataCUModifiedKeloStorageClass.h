#pragma once

#include "KeloDataCUTypes.h"
#include "KeloDataClass.h"

#include <cstdint>
#include <string>
#include <vector>

class KeloVersionedDataClass;

/// The change records of an edit buffer, in the order in which they were first made, at most
/// one per kelo number. Pointers to records stay valid until the next record is added or
/// removed.
class KeloDataCUModifiedKeloStorageClass {
public:
    bool Contains(const std::string& number) const;
    // Position of the number's record, or -1.
    std::int32_t IndexOf(const std::string& number) const;
    // The number's record, or null.
    KeloDataCUKeloType* Find(const std::string& number);
    bool IsNew(const std::string& number) const;
    // Append a record for a kelo created in the buffer / for an existing kelo being changed;
    // nothing happens when the number already has a record.
    // A modified record remembers the kelo's version from the version source, if one is set.
    void AddNew(const std::string& number);
    void AddModified(const std::string& number);
    // Copies the underlying timetable of the number into its record (copy on write).
    void LoadSchedule(const std::string& number, KeloDataPtrClass& underlying);
    // The number's record, made and given its own copy of the timetable if need be: the first
    // step of every timetable change.
    KeloDataCUKeloType& EnsureLoaded(const std::string& number, KeloDataPtrClass& underlying);
    void Remove(const std::string& number);
    // Puts a whole record at that position (at the end when beyond it).
    void Insert(std::int32_t position, const KeloDataCUKeloType& record);
    void Clear();
    std::int32_t GetCount() const;
    // Null for an index past the end.
    KeloDataCUKeloType* GetItem(std::int32_t index);

    void SetVersionSource(KeloVersionedDataClass* source) { VersionSource = source; }

private:
    std::vector<KeloDataCUKeloType> Records;
    KeloVersionedDataClass* VersionSource = nullptr;
};
