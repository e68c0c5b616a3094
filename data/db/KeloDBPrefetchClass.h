#pragma once

#include "KeloTimeType.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class KeloDBConnectionClass;

/// One timetable entry as read in bulk.
struct KeloDBPrefetchedEntryType {
    std::int64_t id = 0;
    std::string stopCode;
    std::string stopName;
    KeloTimeType arrival;
    KeloTimeType stay;
};

/// One run between consecutive entries whose stops are linked: departure, next arrival, km.
struct KeloDBPrefetchedLegType {
    KeloTimeType departure;
    KeloTimeType next;
    float km = 0;
};

/// One kelo row as read in bulk, with its timetable and runs when `entriesHeld`.
struct KeloDBPrefetchedKeloType {
    std::int64_t id = 0;
    std::string number;
    std::string name;
    bool hasBus = false;
    std::string busModel;
    std::string busCategory;
    std::int32_t busCapacity = 0;
    std::int64_t version = 0; // the kelo's version as read, for the save's check
    bool entriesHeld = false;
    std::vector<KeloDBPrefetchedEntryType> entries; // by position
    std::vector<KeloDBPrefetchedLegType> legs;      // in travel order
};

/// The kelos of one stop selection (or of the whole database, without their timetables) read
/// with a few statements inside one read transaction, so that opening a line does not cost a
/// statement per kelo or per entry. The database objects answer from it while the connection
/// has written nothing since it was read; after a write they ask the database row by row.
class KeloDBPrefetchClass {
public:
    // Reads the kelos with two or more calls at the stops `selection`, their timetables and
    // runs; with an empty selection every kelo, without timetables. Null when the database
    // fails to answer (the callers then read row by row and meet the failure there).
    static std::shared_ptr<const KeloDBPrefetchClass>
    Read(KeloDBConnectionClass& connection, const std::vector<std::string>& selection);

    // Whether nothing was written through the connection since the read.
    bool IsCurrent(const KeloDBConnectionClass& connection) const;
    // Whether this stands for bulk reads turned off (KeloDBReadRowByRow).
    bool IsOff() const { return off; }
    const std::vector<std::string>& GetSelection() const { return selection; }
    // In row id order, the order of a kelo set.
    const std::vector<KeloDBPrefetchedKeloType>& GetKelos() const { return kelos; }
    const KeloDBPrefetchedKeloType* FindById(std::int64_t id) const;
    const KeloDBPrefetchedKeloType* FindByNumber(const std::string& number) const;
    const KeloDBPrefetchedEntryType* FindEntry(std::int64_t entryId) const;

private:
    void ReadKelos(KeloDBConnectionClass& connection, const std::string& where);
    void ReadEntries(KeloDBConnectionClass& connection, const std::string& where);
    void ReadLegs(KeloDBConnectionClass& connection, const std::string& where);
    // The kelo of `keloId` at or after `at`, walking forward, since rows and kelos both run in
    // id order; null for an id the kelo read did not see (impossible inside the transaction).
    KeloDBPrefetchedKeloType* KeloFrom(std::int64_t keloId, std::size_t& at);
    void BindSelection(class KeloDBStatementClass& statement) const;

    friend void KeloDBReadRowByRow(KeloDBConnectionClass& connection);

    std::vector<std::string> selection;
    bool off = false; // stands for "no bulk reads on this connection"
    std::int64_t changes = 0;
    std::vector<KeloDBPrefetchedKeloType> kelos;
    std::unordered_map<std::int64_t, std::size_t> byId;
    std::unordered_map<std::string, std::size_t> byNumber;
    // entry id -> (kelo position, entry position)
    std::unordered_map<std::int64_t, std::pair<std::size_t, std::size_t>> entriesById;
};

// The bulk read the connection's reads may answer from: null when there is none or when the
// connection has written since it was read.
const KeloDBPrefetchClass* KeloDBPrefetched(const KeloDBConnectionClass& connection);
// The kelo `id` from the current bulk read; null when it holds none.
const KeloDBPrefetchedKeloType* KeloDBPrefetchedKelo(const KeloDBConnectionClass& connection,
                                                     std::int64_t id);
// The current bulk read for `selection`, read now when the connection holds none for it.
const KeloDBPrefetchClass* KeloDBPrefetch(KeloDBConnectionClass& connection,
                                          const std::vector<std::string>& selection);
// Turns the bulk reads of the connection off for good: every read asks the database row by
// row. The reference that the bulk reads are checked against.
void KeloDBReadRowByRow(KeloDBConnectionClass& connection);
