#pragma once

#include "KeloGtfsByteSourceClass.h"

#include <memory>
#include <string>

/// A GTFS feed on disk: a folder of .txt tables or a .zip of them (also with the tables in
/// one folder inside the zip, as some exporters pack them).
class KeloGtfsFeedClass {
public:
    // Opens the folder or zip at `path`; refuses a path that is neither, or a zip that
    // cannot be read.
    explicit KeloGtfsFeedClass(const std::string& path);
    ~KeloGtfsFeedClass();
    KeloGtfsFeedClass(const KeloGtfsFeedClass&) = delete;
    KeloGtfsFeedClass& operator=(const KeloGtfsFeedClass&) = delete;

    bool Has(const std::string& table) const;
    // Opens a table for reading; refuses one that is missing or cannot be opened.
    std::unique_ptr<KeloGtfsByteSourceClass> Open(const std::string& table) const;

private:
    struct ZipArchive;
    std::string path;
    std::unique_ptr<ZipArchive> zip; // empty for a folder
    std::string zipPrefix;           // folder of the tables inside the zip, "" or "name/"
};
