#pragma once

#include "KeloGtfsImportCommand.h"

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

// A fresh folder per test with a copy of the small feed in "feed", removed afterwards.
class GtfsSandboxType {
public:
    GtfsSandboxType() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelo-gtfs-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        std::filesystem::copy(KELO_GTFS_FIXTURE, Feed());
    }
    ~GtfsSandboxType() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string File(const std::string& name) const { return (path / name).string(); }
    std::string Feed() const { return File("feed"); }
    void Write(const std::string& table, const std::string& text) const {
        std::ofstream(Feed() + "/" + table, std::ios::binary) << text;
    }
    // The feed packed into feed.zip, each table at the root of the zip or inside `folder`.
    std::string Zip(const std::string& folder = "") const {
        const std::string zipPath = File("feed.zip");
        int error = 0;
        zip_t* archive = zip_open(zipPath.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        for (const auto& entry : std::filesystem::directory_iterator(Feed())) {
            zip_source_t* source = zip_source_file(archive, entry.path().c_str(), 0, -1);
            zip_file_add(archive, (folder + entry.path().filename().string()).c_str(), source, 0);
        }
        zip_close(archive);
        return zipPath;
    }

    std::filesystem::path path;
};

// Result of one run of the import command.
struct GtfsRunType {
    int status = 0;
    std::string out;
    std::string err;
};

inline GtfsRunType RunGtfsImport(const std::string& feed, const std::string& database,
                                 const std::string& serviceDate = "") {
    std::ostringstream out, err;
    GtfsRunType run;
    run.status = RunKeloGtfsImportCommand(feed, database, serviceDate, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}
