#include "KeloDBKeloScheduleClass.h"

#include "KeloDBGuard.h"
#include "KeloDBPrefetchClass.h"
#include "KeloDBValueClasses.h"

#include <algorithm>
#include <limits>
#include <optional>

KeloDBKeloScheduleClass::KeloDBKeloScheduleClass(std::shared_ptr<KeloDBConnectionClass> connection,
                                                 std::int64_t keloId)
    : connection(std::move(connection)), keloId(keloId) {}

std::int32_t KeloDBKeloScheduleClass::GetCount() {
    if (const KeloDBPrefetchedKeloType* kelo = KeloDBPrefetchedKelo(*connection, keloId);
        kelo != nullptr && kelo->entriesHeld)
        return static_cast<std::int32_t>(kelo->entries.size());
    return KeloDBGuard(*connection, std::int32_t(0), [&] {
        KeloDBQueryClass query(*connection, "SELECT count(*) FROM entry WHERE kelo_id = ?");
        query->Bind(1, keloId);
        return query->Step() ? static_cast<std::int32_t>(query->ColumnInt(0)) : 0;
    });
}

KeloStopSchedulePtrClass KeloDBKeloScheduleClass::GetItem(std::int32_t index) {
    if (const KeloDBPrefetchedKeloType* kelo = KeloDBPrefetchedKelo(*connection, keloId);
        kelo != nullptr && kelo->entriesHeld) {
        if (index < 0 || index >= static_cast<std::int32_t>(kelo->entries.size()))
            return KeloStopSchedulePtrClass();
        const KeloDBPrefetchedEntryType& entry = kelo->entries[index];
        return KeloStopSchedulePtrClass(
            new KeloDBStopScheduleClass(connection, entry.id, entry.stopCode, entry.stopName));
    }
    return KeloDBGuard(*connection, KeloStopSchedulePtrClass(), [&] {
        KeloDBQueryClass query(*connection,
                               "SELECT e.id, s.code, s.name FROM entry e JOIN stop s "
                               "ON s.id = e.stop_id WHERE e.kelo_id = ? AND e.seq = ?");
        query->Bind(1, keloId);
        query->Bind(2, static_cast<std::int64_t>(index));
        if (!query->Step())
            return KeloStopSchedulePtrClass();
        return KeloStopSchedulePtrClass(new KeloDBStopScheduleClass(
            connection, query->ColumnInt(0), query->ColumnBytes(1), query->ColumnBytes(2)));
    });
}

KeloStopSchedulePtrClass KeloDBKeloScheduleClass::AppendStop(const std::string& code) {
    // An index past the end appends; the count is taken once, inside.
    return InsertStop(std::numeric_limits<std::int32_t>::max(), code);
}

KeloStopSchedulePtrClass KeloDBKeloScheduleClass::InsertStop(std::int32_t index,
                                                             const std::string& code) {
    return KeloDBGuard(*connection, KeloStopSchedulePtrClass(), [&] {
        std::int64_t stopId = 0;
        std::string name;
        {
            KeloDBQueryClass stop(*connection, "SELECT id, name FROM stop WHERE code = ?");
            stop->Bind(1, code);
            if (!stop->Step())
                return KeloStopSchedulePtrClass();
            stopId = stop->ColumnInt(0);
            name = stop->ColumnBytes(1);
        }
        if (index < 0)
            return KeloStopSchedulePtrClass();
        const std::int32_t count = GetCount();
        index = std::min(index, count);
        // At the end nothing moves: the insert alone is the whole change and needs no savepoint.
        std::optional<KeloDBSavepointClass> savepoint;
        if (index < count) {
            savepoint.emplace(*connection);
            // Two passes through negative positions keep (kelo, position) unique at every step.
            {
                KeloDBQueryClass shift(*connection, "UPDATE entry SET seq = -seq - 1 "
                                                    "WHERE kelo_id = ? AND seq >= ?");
                shift->Bind(1, keloId);
                shift->Bind(2, static_cast<std::int64_t>(index));
                shift->Run();
            }
            KeloDBQueryClass flip(*connection,
                                  "UPDATE entry SET seq = -seq WHERE kelo_id = ? AND seq < 0");
            flip->Bind(1, keloId);
            flip->Run();
        }
        {
            KeloDBQueryClass insert(*connection,
                                    "INSERT INTO entry(kelo_id, seq, stop_id) VALUES (?, ?, ?)");
            insert->Bind(1, keloId);
            insert->Bind(2, static_cast<std::int64_t>(index));
            insert->Bind(3, stopId);
            insert->Run();
        }
        const std::int64_t entryId = connection->GetLastInsertId();
        if (savepoint)
            savepoint->Release();
        return KeloStopSchedulePtrClass(
            new KeloDBStopScheduleClass(connection, entryId, code, name));
    });
}

void KeloDBKeloScheduleClass::RemoveStop(std::int32_t index) {
    KeloDBGuard(*connection, 0, [&] {
        KeloDBSavepointClass savepoint(*connection);
        {
            KeloDBQueryClass erase(*connection, "DELETE FROM entry WHERE kelo_id = ? AND seq = ?");
            erase->Bind(1, keloId);
            erase->Bind(2, static_cast<std::int64_t>(index));
            erase->Run();
        }
        if (connection->GetChanges() == 0) {
            savepoint.Release();
            return 0;
        }
        {
            KeloDBQueryClass shift(*connection,
                                   "UPDATE entry SET seq = -seq WHERE kelo_id = ? AND seq > ?");
            shift->Bind(1, keloId);
            shift->Bind(2, static_cast<std::int64_t>(index));
            shift->Run();
        }
        // The last entry leaves nothing to move up.
        if (connection->GetChanges() > 0) {
            KeloDBQueryClass flip(*connection,
                                  "UPDATE entry SET seq = -seq - 1 WHERE kelo_id = ? AND seq < 0");
            flip->Bind(1, keloId);
            flip->Run();
        }
        savepoint.Release();
        return 0;
    });
}

KeloDBStopScheduleClass::KeloDBStopScheduleClass(std::shared_ptr<KeloDBConnectionClass> connection,
                                                 std::int64_t entryId, std::string code,
                                                 std::string name)
    : connection(std::move(connection)), entryId(entryId), code(std::move(code)),
      name(std::move(name)) {}

KeloStopPtrClass KeloDBStopScheduleClass::GetStop() {
    return KeloStopPtrClass(new KeloDBStopClass(code, name));
}

KeloTimeType KeloDBStopScheduleClass::Read(bool arrival) {
    if (const KeloDBPrefetchClass* bulk = KeloDBPrefetched(*connection))
        if (const KeloDBPrefetchedEntryType* entry = bulk->FindEntry(entryId))
            return arrival ? entry->arrival : entry->stay;
    return KeloDBGuard(*connection, KeloTimeType(), [&] {
        KeloDBQueryClass query(*connection, arrival ? "SELECT arrival FROM entry WHERE id = ?"
                                                    : "SELECT stay FROM entry WHERE id = ?");
        query->Bind(1, entryId);
        return query->Step() ? KeloDBColumnTime(*query, 0) : KeloTimeType();
    });
}

void KeloDBStopScheduleClass::Write(bool arrival, KeloTimeType value) {
    KeloDBGuard(*connection, 0, [&] {
        KeloDBQueryClass update(*connection, arrival ? "UPDATE entry SET arrival = ? WHERE id = ?"
                                                     : "UPDATE entry SET stay = ? WHERE id = ?");
        KeloDBBindTime(*update, 1, value);
        update->Bind(2, entryId);
        update->Run();
        return 0;
    });
}

KeloTimeType KeloDBStopScheduleClass::GetArrival() {
    return Read(true);
}

KeloTimeType KeloDBStopScheduleClass::GetStay() {
    return Read(false);
}

void KeloDBStopScheduleClass::SetArrival(KeloTimeType arrival) {
    Write(true, arrival);
}

void KeloDBStopScheduleClass::SetStay(KeloTimeType stay) {
    Write(false, stay);
}
