#include "KeloPGKeloScheduleClass.h"

#include "KeloDBValueClasses.h"
#include "KeloPGGuard.h"

#include <algorithm>

namespace {

KeloTimeType TimeAt(const KeloPGResultClass& rows, int row, int column) {
    return rows.IsNull(row, column)
               ? KeloTimeType()
               : KeloTimeType(static_cast<std::int32_t>(rows.Int(row, column)));
}

} // namespace

KeloPGKeloScheduleClass::KeloPGKeloScheduleClass(std::shared_ptr<KeloPGConnectionClass> connection,
                                                 std::int64_t keloId)
    : connection(std::move(connection)), keloId(keloId) {}

KeloPGKeloScheduleClass::RowsType& KeloPGKeloScheduleClass::Rows() {
    if (rows)
        return *rows;
    rows = std::make_shared<RowsType>();
    KeloPGGuard(*connection, 0, [&] {
        const KeloPGResultClass found = connection->Query(
            "SELECT e.id, s.code, s.name, e.arrival, e.stay FROM entry e JOIN stop s "
            "ON s.id = e.stop_id WHERE e.kelo_id = $1 ORDER BY e.seq",
            KeloPGParamsClass().Int(keloId));
        for (int r = 0; r < found.Rows(); ++r)
            rows->push_back({found.Int(r, 0), found.Bytes(r, 1), found.Bytes(r, 2),
                             TimeAt(found, r, 3), TimeAt(found, r, 4)});
        return 0;
    });
    return *rows;
}

std::int32_t KeloPGKeloScheduleClass::GetCount() {
    return static_cast<std::int32_t>(Rows().size());
}

KeloStopSchedulePtrClass KeloPGKeloScheduleClass::GetItem(std::int32_t index) {
    if (index < 0 || index >= GetCount())
        return KeloStopSchedulePtrClass();
    return KeloStopSchedulePtrClass(
        new KeloPGStopScheduleClass(connection, rows, static_cast<std::size_t>(index)));
}

KeloStopSchedulePtrClass KeloPGKeloScheduleClass::AppendStop(const std::string& code) {
    return InsertStop(GetCount(), code);
}

KeloStopSchedulePtrClass KeloPGKeloScheduleClass::InsertStop(std::int32_t index,
                                                             const std::string& code) {
    return KeloPGGuard(*connection, KeloStopSchedulePtrClass(), [&] {
        const KeloPGResultClass stop = connection->Query(
            "SELECT id, name FROM stop WHERE code = $1", KeloPGParamsClass().Bytes(code));
        if (!stop.Rows())
            return KeloStopSchedulePtrClass();
        if (index < 0)
            return KeloStopSchedulePtrClass();
        // An index past the end appends.
        index = std::min(index, GetCount());
        rows.reset();
        KeloPGSavepointClass savepoint(*connection);
        // Two passes through negative positions keep (kelo, position) unique at every step.
        connection->Query("UPDATE entry SET seq = -seq - 1 WHERE kelo_id = $1 AND seq >= $2",
                          KeloPGParamsClass().Int(keloId).Int(index));
        connection->Query("UPDATE entry SET seq = -seq WHERE kelo_id = $1 AND seq < 0",
                          KeloPGParamsClass().Int(keloId));
        const KeloPGResultClass inserted = connection->Query(
            "INSERT INTO entry(kelo_id, seq, stop_id) VALUES ($1, $2, $3) RETURNING id",
            KeloPGParamsClass().Int(keloId).Int(index).Int(stop.Int(0, 0)));
        savepoint.Release();
        auto row = std::make_shared<RowsType>(
            RowsType{{inserted.Int(0, 0), code, stop.Bytes(0, 1), KeloTimeType(), KeloTimeType()}});
        return KeloStopSchedulePtrClass(new KeloPGStopScheduleClass(connection, row, 0));
    });
}

void KeloPGKeloScheduleClass::RemoveStop(std::int32_t index) {
    rows.reset();
    KeloPGGuard(*connection, 0, [&] {
        KeloPGSavepointClass savepoint(*connection);
        const KeloPGResultClass erased =
            connection->Query("DELETE FROM entry WHERE kelo_id = $1 AND seq = $2",
                              KeloPGParamsClass().Int(keloId).Int(index));
        if (erased.Changed() > 0) {
            connection->Query("UPDATE entry SET seq = -seq WHERE kelo_id = $1 AND seq > $2",
                              KeloPGParamsClass().Int(keloId).Int(index));
            connection->Query("UPDATE entry SET seq = -seq - 1 WHERE kelo_id = $1 AND seq < 0",
                              KeloPGParamsClass().Int(keloId));
        }
        savepoint.Release();
        return 0;
    });
}

KeloPGStopScheduleClass::KeloPGStopScheduleClass(
    std::shared_ptr<KeloPGConnectionClass> connection,
    std::shared_ptr<std::vector<KeloPGEntryRowType>> rows, std::size_t index)
    : connection(std::move(connection)), rows(std::move(rows)), index(index) {}

KeloStopPtrClass KeloPGStopScheduleClass::GetStop() {
    return KeloStopPtrClass(new KeloDBStopClass(Row().code, Row().name));
}

void KeloPGStopScheduleClass::Write(bool arrival, KeloTimeType value) {
    KeloPGGuard(*connection, 0, [&] {
        connection->Query(arrival ? "UPDATE entry SET arrival = $1 WHERE id = $2"
                                  : "UPDATE entry SET stay = $1 WHERE id = $2",
                          KeloPGParamsClass()
                              .Time(value.IsEmpty() ? 0 : value.GetTotalMinutes(), value.IsEmpty())
                              .Int(Row().id));
        (arrival ? Row().arrival : Row().stay) = value;
        return 0;
    });
}
