#include "KeloGtfsFeedClass.h"

#include "KeloGtfsErrorClass.h"

#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

class FileSource : public KeloGtfsByteSourceClass {
public:
    FileSource(std::FILE* file, std::string name) : file(file), name(std::move(name)) {}
    ~FileSource() override { std::fclose(file); }
    std::size_t Read(char* buffer, std::size_t size) override {
        const std::size_t got = std::fread(buffer, 1, size, file);
        if (got == 0 && std::ferror(file))
            throw KeloGtfsErrorClass(name + ": cannot be read: " + std::strerror(errno));
        return got;
    }

private:
    std::FILE* file;
    std::string name;
};

class ZipEntrySource : public KeloGtfsByteSourceClass {
public:
    ZipEntrySource(zip_file_t* entry, std::string name) : entry(entry), name(std::move(name)) {}
    ~ZipEntrySource() override { zip_fclose(entry); }
    std::size_t Read(char* buffer, std::size_t size) override {
        // libzip checks the CRC when the entry has been read to its end.
        const zip_int64_t got = zip_fread(entry, buffer, size);
        if (got < 0)
            throw KeloGtfsErrorClass(name + ": cannot be read from the zip: " +
                                     zip_error_strerror(zip_file_get_error(entry)));
        return static_cast<std::size_t>(got);
    }

private:
    zip_file_t* entry;
    std::string name;
};

} // namespace

struct KeloGtfsFeedClass::ZipArchive {
    zip_t* handle = nullptr;
    ~ZipArchive() {
        if (handle)
            zip_discard(handle); // opened read-only: nothing to write back
    }
};

KeloGtfsFeedClass::KeloGtfsFeedClass(const std::string& path) : path(path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return;
    if (!std::filesystem::is_regular_file(path, error))
        throw KeloGtfsErrorClass(path + ": no such GTFS folder or zip file");
    int code = 0;
    zip_t* handle = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!handle) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, code);
        const std::string reason = zip_error_strerror(&zipError);
        zip_error_fini(&zipError);
        throw KeloGtfsErrorClass(path + ": the zip file cannot be read: " + reason);
    }
    zip = std::make_unique<ZipArchive>();
    zip->handle = handle;
    if (zip_name_locate(handle, "stops.txt", 0) >= 0)
        return;
    // Tables packed inside one folder of the zip.
    const zip_int64_t count = zip_get_num_entries(handle, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(handle, static_cast<zip_uint64_t>(i), 0);
        if (!name)
            continue;
        const std::string entry = name;
        const std::string tail = "/stops.txt";
        if (entry.size() > tail.size() &&
            entry.compare(entry.size() - tail.size(), tail.size(), tail) == 0 &&
            entry.find('/') == entry.size() - tail.size()) {
            zipPrefix = entry.substr(0, entry.size() - tail.size() + 1);
            return;
        }
    }
}

KeloGtfsFeedClass::~KeloGtfsFeedClass() = default;

bool KeloGtfsFeedClass::Has(const std::string& table) const {
    if (zip)
        return zip_name_locate(zip->handle, (zipPrefix + table).c_str(), 0) >= 0;
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path) / table, error);
}

std::unique_ptr<KeloGtfsByteSourceClass> KeloGtfsFeedClass::Open(const std::string& table) const {
    if (!Has(table))
        throw KeloGtfsErrorClass(path + ": the required file " + table + " is missing");
    if (zip) {
        zip_file_t* entry = zip_fopen(zip->handle, (zipPrefix + table).c_str(), 0);
        if (!entry)
            throw KeloGtfsErrorClass(table + ": cannot be read from the zip: " +
                                     zip_error_strerror(zip_get_error(zip->handle)));
        return std::make_unique<ZipEntrySource>(entry, table);
    }
    const std::string file = (std::filesystem::path(path) / table).string();
    std::FILE* handle = std::fopen(file.c_str(), "rb");
    if (!handle)
        throw KeloGtfsErrorClass(file + ": cannot be opened: " + std::strerror(errno));
    return std::make_unique<FileSource>(handle, table);
}
