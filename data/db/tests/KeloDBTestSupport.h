#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

// A fresh folder per test, removed afterwards.
class KeloDBTempDirType {
public:
    KeloDBTempDirType() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelo-db-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~KeloDBTempDirType() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string File(const std::string& name) const { return (path / name).string(); }
    std::filesystem::path path;
};

inline std::string KeloDBReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
