#include "KeloDBPrefetchClass.h"

#include "KeloDBConnectionClass.h"
#include "KeloDBGuard.h"

#include <sqlite3.h>

namespace {

// The kelos of a selection, as the selecting source offers them: two calls at selected stops
// are enough, even two at the same stop. Found through the entry_stop index.
std::string SelectedKelos(std::size_t codes) {
    std::string marks;
    for (std::size_t i = 0; i < codes; ++i)
        marks += i ? ",?" : "?";
    return "(SELECT kelo_id FROM entry WHERE stop_id IN (SELECT id FROM stop WHERE code IN (" +
           marks + ")) GROUP BY kelo_id HAVING count(*) >= 2)";
}

std::int64_t TotalChanges(const KeloDBConnectionClass& connection) {
    return sqlite3_total_changes64(connection.GetHandle());
}

} // namespace

std::shared_ptr<const KeloDBPrefetchClass>
KeloDBPrefetchClass::Read(KeloDBConnectionClass& connection,
                          const std::vector<std::string>& selection) {
    auto bulk = std::make_shared<KeloDBPrefetchClass>();
    bulk->selection = selection;
    bulk->changes = TotalChanges(connection);
    // One read transaction, so that the kelos, entries and runs come from one state of the
    // file; inside a transaction already open the reads join it.
    const bool own = !connection.IsInTransaction();
    try {
        if (own)
            connection.Execute("BEGIN");
        const std::string where = selection.empty() ? "" : SelectedKelos(selection.size());
        bulk->ReadKelos(connection, where);
        if (!selection.empty()) {
            bulk->ReadEntries(connection, where);
            bulk->ReadLegs(connection, where);
        }
        if (own)
            connection.Execute("COMMIT");
    } catch (const std::exception&) {
        if (own && connection.IsInTransaction()) {
            try {
                connection.Execute("ROLLBACK");
            } catch (const std::exception&) {
            }
        }
        return nullptr;
    }
    return bulk;
}

void KeloDBPrefetchClass::BindSelection(KeloDBStatementClass& statement) const {
    for (std::size_t i = 0; i < selection.size(); ++i)
        statement.Bind(static_cast<int>(i + 1), selection[i]);
}

void KeloDBPrefetchClass::ReadKelos(KeloDBConnectionClass& connection, const std::string& where) {
    KeloDBStatementClass query(
        connection.GetHandle(),
        "SELECT k.id, k.number, k.name, b.model, b.category, b.capacity, k.version "
        "FROM kelo k LEFT JOIN bus b ON b.id = k.bus_id " +
            (where.empty() ? std::string() : "WHERE k.id IN " + where) + " ORDER BY k.id");
    BindSelection(query);
    while (query.Step()) {
        KeloDBPrefetchedKeloType kelo;
        kelo.id = query.ColumnInt(0);
        kelo.number = query.ColumnBytes(1);
        kelo.name = query.ColumnBytes(2);
        kelo.hasBus = !query.IsNull(3);
        if (kelo.hasBus) {
            kelo.busModel = query.ColumnBytes(3);
            kelo.busCategory = query.ColumnBytes(4);
            kelo.busCapacity = static_cast<std::int32_t>(query.ColumnInt(5));
        }
        kelo.version = query.ColumnInt(6);
        // Held once their rows are read; a kelo without entries has them all now.
        kelo.entriesHeld = !where.empty();
        byId.emplace(kelo.id, kelos.size());
        byNumber.emplace(kelo.number, kelos.size());
        kelos.push_back(std::move(kelo));
    }
}

KeloDBPrefetchedKeloType* KeloDBPrefetchClass::KeloFrom(std::int64_t keloId, std::size_t& at) {
    while (at < kelos.size() && kelos[at].id < keloId)
        ++at;
    return at < kelos.size() && kelos[at].id == keloId ? &kelos[at] : nullptr;
}

void KeloDBPrefetchClass::ReadEntries(KeloDBConnectionClass& connection, const std::string& where) {
    KeloDBStatementClass query(connection.GetHandle(),
                               "SELECT e.kelo_id, e.seq, e.id, s.code, s.name, e.arrival, e.stay "
                               "FROM entry e JOIN stop s ON s.id = e.stop_id WHERE e.kelo_id IN " +
                                   where + " ORDER BY e.kelo_id, e.seq");
    BindSelection(query);
    std::size_t at = 0;
    while (query.Step()) {
        KeloDBPrefetchedKeloType* found = KeloFrom(query.ColumnInt(0), at);
        if (found == nullptr)
            continue;
        KeloDBPrefetchedKeloType& kelo = *found;
        // Positions are looked up by their number; a kelo whose positions have a gap is
        // left to the row-by-row reads, which answer such a position as missing.
        if (query.ColumnInt(1) != static_cast<std::int64_t>(kelo.entries.size()))
            kelo.entriesHeld = false;
        KeloDBPrefetchedEntryType entry;
        entry.id = query.ColumnInt(2);
        entry.stopCode = query.ColumnBytes(3);
        entry.stopName = query.ColumnBytes(4);
        entry.arrival = KeloDBColumnTime(query, 5);
        entry.stay = KeloDBColumnTime(query, 6);
        entriesById.emplace(entry.id, std::make_pair(at, kelo.entries.size()));
        kelo.entries.push_back(std::move(entry));
    }
}

void KeloDBPrefetchClass::ReadLegs(KeloDBConnectionClass& connection, const std::string& where) {
    KeloDBStatementClass query(connection.GetHandle(),
                               "SELECT e.kelo_id, e.arrival, e.stay, n.arrival, l.km FROM entry e "
                               "JOIN entry n ON n.kelo_id = e.kelo_id AND n.seq = e.seq + 1 "
                               "JOIN link l ON l.stop_a = min(e.stop_id, n.stop_id) "
                               "AND l.stop_b = max(e.stop_id, n.stop_id) WHERE e.kelo_id IN " +
                                   where + " ORDER BY e.kelo_id, e.seq");
    BindSelection(query);
    std::size_t at = 0;
    while (query.Step()) {
        KeloDBPrefetchedKeloType* kelo = KeloFrom(query.ColumnInt(0), at);
        if (kelo == nullptr)
            continue;
        kelo->legs.push_back({KeloDeparture(KeloDBColumnTime(query, 1), KeloDBColumnTime(query, 2)),
                              KeloDBColumnTime(query, 3),
                              static_cast<float>(query.ColumnDouble(4))});
    }
}

bool KeloDBPrefetchClass::IsCurrent(const KeloDBConnectionClass& connection) const {
    return !off && TotalChanges(connection) == changes;
}

const KeloDBPrefetchedKeloType* KeloDBPrefetchClass::FindById(std::int64_t id) const {
    const auto found = byId.find(id);
    return found == byId.end() ? nullptr : &kelos[found->second];
}

const KeloDBPrefetchedKeloType* KeloDBPrefetchClass::FindByNumber(const std::string& number) const {
    const auto found = byNumber.find(number);
    return found == byNumber.end() ? nullptr : &kelos[found->second];
}

const KeloDBPrefetchedEntryType* KeloDBPrefetchClass::FindEntry(std::int64_t entryId) const {
    const auto found = entriesById.find(entryId);
    if (found == entriesById.end() || !kelos[found->second.first].entriesHeld)
        return nullptr;
    return &kelos[found->second.first].entries[found->second.second];
}

const KeloDBPrefetchClass* KeloDBPrefetched(const KeloDBConnectionClass& connection) {
    const KeloDBPrefetchClass* bulk = connection.GetPrefetch().get();
    return bulk != nullptr && bulk->IsCurrent(connection) ? bulk : nullptr;
}

const KeloDBPrefetchedKeloType* KeloDBPrefetchedKelo(const KeloDBConnectionClass& connection,
                                                     std::int64_t id) {
    const KeloDBPrefetchClass* bulk = KeloDBPrefetched(connection);
    return bulk ? bulk->FindById(id) : nullptr;
}

const KeloDBPrefetchClass* KeloDBPrefetch(KeloDBConnectionClass& connection,
                                          const std::vector<std::string>& selection) {
    const KeloDBPrefetchClass* bulk = KeloDBPrefetched(connection);
    if (bulk != nullptr && bulk->GetSelection() == selection)
        return bulk;
    if (connection.GetPrefetch() != nullptr && connection.GetPrefetch()->IsOff())
        return nullptr;
    connection.SetPrefetch(KeloDBPrefetchClass::Read(connection, selection));
    return KeloDBPrefetched(connection);
}

void KeloDBReadRowByRow(KeloDBConnectionClass& connection) {
    auto off = std::make_shared<KeloDBPrefetchClass>();
    off->off = true;
    connection.SetPrefetch(std::move(off));
}
