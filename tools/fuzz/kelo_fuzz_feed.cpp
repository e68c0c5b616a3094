// A whole feed made of any bytes, imported into a sink that checks what a Kelo database
// holds: an import refuses, or everything it writes is in range. The input is the feed's
// tables one after another, each starting with a line "@name.txt".
#include "KeloDBIntegrityCheck.h"
#include "KeloGtfsErrorClass.h"
#include "KeloGtfsImporterClass.h"
#include "KeloPlanWriterClass.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>

#include <unistd.h>

namespace {

class CheckingSink : public KeloPlanWriterClass {
public:
    void AddBus(const std::string&, const std::string&, std::int32_t) override {}
    void AddStop(const std::string& code, const std::string&) override {
        if (!codes.insert(code).second)
            __builtin_trap(); // two stops of one code
    }
    void AddLink(const std::string&, const std::string&, float distance) override {
        if (!(distance >= 0 && distance <= KeloDBMaxLinkKm))
            __builtin_trap();
    }
    void AddKelo(const std::string&, const std::string&, const std::string&) override {}
    void AddEntry(const std::string&, KeloTimeType arrival, KeloTimeType stay) override {
        for (const KeloTimeType time : {arrival, stay})
            if (!time.IsEmpty() &&
                (time.GetTotalMinutes() < 0 || time.GetTotalMinutes() > KeloDBMaxMinute))
                __builtin_trap();
    }
    void SetStopPosition(const std::string&, double, double) override {}
    void SetKeloFeedDetails(const std::optional<KeloFeedRouteType>&, const std::string&) override {}
    void SetAgency(const KeloFeedAgencyType&) override {}
    void Commit() override {}

private:
    std::set<std::string> codes;
};

const std::filesystem::path& FeedFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("kelo-fuzz-feed-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// Writes the input's tables into the folder, after clearing what the last input left.
void WriteFeed(std::string_view input) {
    for (const auto& entry : std::filesystem::directory_iterator(FeedFolder()))
        std::filesystem::remove(entry.path());
    std::size_t at = 0;
    while (at < input.size()) {
        const std::size_t next = input.find("\n@", at);
        std::string_view section =
            input.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at);
        at = next == std::string_view::npos ? input.size() : next + 1;
        if (section.empty() || section.front() != '@')
            continue;
        const std::size_t end = section.find('\n');
        const std::string name(section.substr(1, end == std::string_view::npos ? 0 : end - 1));
        if (name.empty() || name.find('/') != std::string::npos || name[0] == '.')
            continue;
        std::ofstream(FeedFolder() / name, std::ios::binary)
            << section.substr(end == std::string_view::npos ? section.size() : end + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteFeed(std::string_view(reinterpret_cast<const char*>(data), size));
    KeloGtfsImportOptionsType options;
    options.feed = FeedFolder().string();
    CheckingSink sink;
    try {
        KeloGtfsImporterClass().Run(options, sink);
    } catch (const KeloGtfsErrorClass&) {
    }
    return 0;
}
