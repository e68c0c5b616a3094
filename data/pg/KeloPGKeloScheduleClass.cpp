#include "KeloPGKeloScheduleClass.h"

#include "KeloDBValueClasses.h"
#include "KeloPGGuard.h"

KeloPGKeloScheduleClass::KeloPGKeloScheduleClass(std::shared_ptr<KeloPGConnectionClass> connection,
                                                 std::int64_t keloId)
    : connection(std::move(connection)), keloId(keloId) {}

std::int32_t KeloPGKeloScheduleClass::GetCount() {
    return KeloPGGuard(*connection, std::int32_t(0), [&] {
        const KeloPGResultClass rows = connection->Query(
            "SELECT count(*) FROM entry WHERE kelo_id = $1", KeloPGParamsClass().Int(keloId));
        return static_cast<std::int32_t>(rows.Int(0, 0));
    });
}

KeloStopSchedulePtrClass KeloPGKeloScheduleClass::GetItem(std::int32_t index) {
    return KeloPGGuard(*connection, KeloStopSchedulePtrClass(), [&] {
        const KeloPGResultClass rows =
            connection->Query("SELECT e.id, s.code, s.name FROM entry e JOIN stop s "
                              "ON s.id = e.stop_id WHERE e.kelo_id = $1 AND e.seq = $2",
                              KeloPGParamsClass().Int(keloId).Int(index));
        if (!rows.Rows())
            return KeloStopSchedulePtrClass();
        return KeloStopSchedulePtrClass(new KeloPGStopScheduleClass(
            connection, rows.Int(0, 0), rows.Bytes(0, 1), rows.Bytes(0, 2)));
    });
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
        const std::int32_t count = GetCount();
        if (index < 0 || index > count)
            return KeloStopSchedulePtrClass();
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
        return KeloStopSchedulePtrClass(
            new KeloPGStopScheduleClass(connection, inserted.Int(0, 0), code, stop.Bytes(0, 1)));
    });
}

void KeloPGKeloScheduleClass::RemoveStop(std::int32_t index) {
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

KeloPGStopScheduleClass::KeloPGStopScheduleClass(std::shared_ptr<KeloPGConnectionClass> connection,
                                                 std::int64_t entryId, std::string code,
                                                 std::string name)
    : connection(std::move(connection)), entryId(entryId), code(std::move(code)),
      name(std::move(name)) {}

KeloStopPtrClass KeloPGStopScheduleClass::GetStop() {
    return KeloStopPtrClass(new KeloDBStopClass(code, name));
}

KeloTimeType KeloPGStopScheduleClass::Read(bool arrival) {
    return KeloPGGuard(*connection, KeloTimeType(), [&] {
        const KeloPGResultClass rows =
            connection->Query(arrival ? "SELECT arrival FROM entry WHERE id = $1"
                                      : "SELECT stay FROM entry WHERE id = $1",
                              KeloPGParamsClass().Int(entryId));
        return !rows.Rows() || rows.IsNull(0, 0)
                   ? KeloTimeType()
                   : KeloTimeType(static_cast<std::int32_t>(rows.Int(0, 0)));
    });
}

void KeloPGStopScheduleClass::Write(bool arrival, KeloTimeType value) {
    KeloPGGuard(*connection, 0, [&] {
        connection->Query(arrival ? "UPDATE entry SET arrival = $1 WHERE id = $2"
                                  : "UPDATE entry SET stay = $1 WHERE id = $2",
                          KeloPGParamsClass()
                              .Time(value.IsEmpty() ? 0 : value.GetTotalMinutes(), value.IsEmpty())
                              .Int(entryId));
        return 0;
    });
}
