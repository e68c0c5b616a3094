#include "KeloDBBuilderClass.h"

#include "KeloDBConnectionClass.h"
#include "KeloDBErrorClass.h"
#include "KeloDBGuard.h"
#include "KeloDBIntegrityCheck.h"
#include "KeloDBRouteColumns.h"
#include "KeloDBSchema.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

void SyncPath(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string DirectoryOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// A name beside `path` for the file being built. A name component may hold 255 bytes and
// SQLite adds up to 8 ("-journal"), so a long name is shortened rather than lengthened.
std::string BuildingPathFor(const std::string& path) {
    constexpr std::size_t MaxName = 255 - 8;
    const std::filesystem::path whole(path);
    const std::string suffix = ".building-" + std::to_string(::getpid());
    std::string name = whole.filename().string();
    if (name.size() + suffix.size() > MaxName)
        name.resize(MaxName > suffix.size() ? MaxName - suffix.size() : 0);
    return (whole.parent_path() / (name + suffix)).string();
}

void CheckTime(KeloTimeType time, const std::string& keloNumber) {
    if (!time.IsEmpty() && (time.GetTotalMinutes() < 0 || time.GetTotalMinutes() > KeloDBMaxMinute))
        throw KeloDBErrorClass(SQLITE_RANGE, "a time outside 00:00-23:59 in kelo " + keloNumber);
}

} // namespace

KeloDBBuilderClass::KeloDBBuilderClass(const std::string& path)
    : path(path), tempPath(BuildingPathFor(path)) {
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored) || std::filesystem::is_symlink(path, ignored))
        throw KeloDBErrorClass(SQLITE_CANTOPEN, "the file already exists: " + path);
    std::filesystem::remove(tempPath, ignored);
    try {
        connection = std::make_unique<KeloDBConnectionClass>(
            tempPath, KeloDBConnectionClass::ModeType::CreateNew, 0);
        // Nothing here needs to survive a crash: an unfinished file is thrown away.
        connection->Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
                            "PRAGMA cache_size = -65536; BEGIN");
        KeloDBCreateTables(*connection);
    } catch (...) {
        Discard();
        throw;
    }
}

KeloDBBuilderClass::~KeloDBBuilderClass() {
    Discard();
}

void KeloDBBuilderClass::Discard() {
    if (tempPath.empty())
        return;
    connection.reset();
    std::error_code ignored;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        std::filesystem::remove(tempPath + suffix, ignored);
    tempPath.clear();
}

void KeloDBBuilderClass::CheckOpen() const {
    if (!connection)
        throw KeloDBErrorClass(SQLITE_MISUSE, "the database builder is closed");
}

std::int64_t KeloDBBuilderClass::StopId(const std::string& code) const {
    const auto found = stops.find(code);
    if (found == stops.end())
        throw KeloDBErrorClass(SQLITE_CONSTRAINT, "unknown stop code: " + code);
    return found->second;
}

void KeloDBBuilderClass::AddBus(const std::string& model, const std::string& category,
                                std::int32_t capacity) {
    CheckOpen();
    KeloDBQueryClass insert(*connection,
                            "INSERT INTO bus(model, category, capacity) VALUES (?, ?, ?)");
    insert->Bind(1, model);
    insert->Bind(2, category);
    insert->Bind(3, static_cast<std::int64_t>(capacity));
    insert->Run();
    buses[model] = connection->GetLastInsertId();
}

void KeloDBBuilderClass::AddStop(const std::string& code, const std::string& name) {
    CheckOpen();
    KeloDBQueryClass insert(*connection, "INSERT INTO stop(code, name) VALUES (?, ?)");
    insert->Bind(1, code);
    insert->Bind(2, name);
    insert->Run();
    stops[code] = connection->GetLastInsertId();
}

void KeloDBBuilderClass::AddLink(const std::string& fromCode, const std::string& toCode, float km) {
    CheckOpen();
    std::int64_t a = StopId(fromCode);
    std::int64_t b = StopId(toCode);
    if (a == b)
        throw KeloDBErrorClass(SQLITE_CONSTRAINT, "a stop cannot link to itself: " + fromCode);
    if (a > b)
        std::swap(a, b);
    // Written whole or refused: an opened file with such a distance counts as damaged.
    if (!(km >= 0 && km <= KeloDBMaxLinkKm))
        throw KeloDBErrorClass(SQLITE_RANGE, "the distance from " + fromCode + " to " + toCode +
                                                 " is not from 0 to 100000 km");
    KeloDBQueryClass insert(*connection,
                            "INSERT INTO link(stop_a, stop_b, km) VALUES (?, ?, ?) "
                            "ON CONFLICT(stop_a, stop_b) DO UPDATE SET km = excluded.km");
    insert->Bind(1, a);
    insert->Bind(2, b);
    insert->Bind(3, static_cast<double>(km));
    insert->Run();
}

void KeloDBBuilderClass::AddKelo(const std::string& number, const std::string& name,
                                 const std::string& bus) {
    CheckOpen();
    if (kelos.count(number))
        throw KeloDBErrorClass(SQLITE_CONSTRAINT, "the kelo number is taken: " + number);
    KeloDBQueryClass insert(*connection, "INSERT INTO kelo(number, name, bus_id) VALUES (?, ?, ?)");
    insert->Bind(1, number);
    insert->Bind(2, name);
    if (bus.empty()) {
        insert->BindNull(3);
    } else {
        const auto found = buses.find(bus);
        if (found == buses.end())
            throw KeloDBErrorClass(SQLITE_CONSTRAINT, "unknown bus model: " + bus);
        insert->Bind(3, found->second);
    }
    insert->Run();
    kelos[number] = KeloSlotType{connection->GetLastInsertId(), 0};
}

void KeloDBBuilderClass::AddEntry(const std::string& keloNumber, const std::string& stopCode,
                                  KeloTimeType arrival, KeloTimeType stay) {
    CheckOpen();
    const auto kelo = kelos.find(keloNumber);
    if (kelo == kelos.end())
        throw KeloDBErrorClass(SQLITE_CONSTRAINT, "unknown kelo number: " + keloNumber);
    const std::int64_t stop = StopId(stopCode);
    CheckTime(arrival, keloNumber);
    CheckTime(stay, keloNumber);
    KeloDBQueryClass insert(
        *connection,
        "INSERT INTO entry(kelo_id, seq, stop_id, arrival, stay) VALUES (?, ?, ?, ?, ?)");
    insert->Bind(1, kelo->second.id);
    insert->Bind(2, kelo->second.nextSeq);
    insert->Bind(3, stop);
    KeloDBBindTime(*insert, 4, arrival);
    KeloDBBindTime(*insert, 5, stay);
    insert->Run();
    ++kelo->second.nextSeq;
}

void KeloDBBuilderClass::SetStopPosition(const std::string& code, double latitude,
                                         double longitude) {
    CheckOpen();
    KeloDBQueryClass update(*connection, "UPDATE stop SET lat = ?, lon = ? WHERE id = ?");
    update->Bind(1, latitude);
    update->Bind(2, longitude);
    update->Bind(3, StopId(code));
    update->Run();
}

void KeloDBBuilderClass::SetAgency(const KeloFeedAgencyType& agency) {
    CheckOpen();
    connection->Execute("DELETE FROM agency");
    KeloDBQueryClass insert(
        *connection, "INSERT INTO agency(name, url, timezone, language) VALUES (?, ?, ?, ?)");
    insert->Bind(1, agency.name);
    insert->Bind(2, agency.url);
    insert->Bind(3, agency.timezone);
    insert->Bind(4, agency.language);
    insert->Run();
}

void KeloDBBuilderClass::SetKeloFeedDetails(const std::string& number,
                                            const std::optional<KeloFeedRouteType>& route,
                                            const std::string& tripId) {
    CheckOpen();
    const auto kelo = kelos.find(number);
    if (kelo == kelos.end())
        throw KeloDBErrorClass(SQLITE_CONSTRAINT, "unknown kelo number: " + number);
    KeloDBQueryClass update(*connection,
                            "UPDATE kelo SET route_id = ?, route_short_name = ?, "
                            "route_long_name = ?, route_type = ?, trip_id = ? WHERE id = ?");
    KeloDBBindRoute(*update, 1, route);
    if (tripId.empty())
        update->BindNull(5);
    else
        update->Bind(5, tripId);
    update->Bind(6, kelo->second.id);
    update->Run();
}

void KeloDBBuilderClass::Commit() {
    CheckOpen();
    try {
        KeloDBCreateIndexes(*connection);
        KeloDBStampVersion(*connection);
        connection->Execute("COMMIT");
        connection->Execute("PRAGMA journal_mode = WAL");
        connection.reset();
        SyncPath(tempPath, O_RDONLY);
        // link() refuses to replace a file that appeared meanwhile; rename would not.
        if (::link(tempPath.c_str(), path.c_str()) != 0 &&
            (errno == EEXIST || std::filesystem::exists(path) ||
             ::rename(tempPath.c_str(), path.c_str()) != 0))
            throw KeloDBErrorClass(SQLITE_CANTOPEN,
                                   "cannot create " + path + ": " + std::strerror(errno));
        SyncPath(DirectoryOf(path), O_RDONLY | O_DIRECTORY);
    } catch (...) {
        Discard();
        throw;
    }
    Discard();
}
