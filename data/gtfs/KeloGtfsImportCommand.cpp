#include "KeloGtfsImportCommand.h"

#include "KeloDBPlanCopy.h"
#include "KeloGtfsErrorClass.h"
#include "KeloGtfsImporterClass.h"
#include "KeloGtfsTime.h"

#include <chrono>
#include <exception>
#include <filesystem>

namespace {

constexpr int RefusedExitCode = 2;

std::string Plural(std::uint64_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

/// Progress on standard error, first shown once the import has taken a second.
class ProgressLine {
public:
    explicit ProgressLine(std::ostream& err) : err(err), started(Clock::now()), last(started) {}
    ~ProgressLine() {
        if (shown)
            err << "\n";
    }
    void Show(const std::string& table, std::uint64_t rows) {
        const auto now = Clock::now();
        if (now - started < std::chrono::seconds(1) || now - last < std::chrono::milliseconds(250))
            return;
        last = now;
        shown = true;
        // Blanks at the end wipe what a longer line before left.
        if (table == "writing")
            err << "\rkelo: writing the database: " << rows << " timetable rows    " << std::flush;
        else
            err << "\rkelo: reading " << table << ": " << rows << " rows    " << std::flush;
    }

private:
    using Clock = std::chrono::steady_clock;
    std::ostream& err;
    Clock::time_point started;
    Clock::time_point last;
    bool shown = false;
};

} // namespace

int RunKeloGtfsImportCommand(const std::string& feed, const std::string& database,
                             const std::string& serviceDate, std::ostream& out, std::ostream& err) {
    KeloGtfsImportSummaryType summary;
    try {
        std::error_code ignored;
        if (std::filesystem::exists(database, ignored) ||
            std::filesystem::is_symlink(database, ignored)) {
            err << "kelo: " << database
                << " already exists; an import only writes a new database\n";
            return RefusedExitCode;
        }
        KeloGtfsImportOptionsType options;
        options.feed = feed;
        if (!serviceDate.empty()) {
            options.serviceDay = ParseServiceDate(serviceDate);
            if (!options.serviceDay) {
                err << "kelo: --service-date " << serviceDate << " is not a date\n";
                return RefusedExitCode;
            }
        }
        ProgressLine progress(err);
        options.progress = [&progress](const std::string& table, std::uint64_t rows) {
            progress.Show(table, rows);
        };
        KeloDBPlanWriterClass sink(database);
        summary = KeloGtfsImporterClass().Run(options, sink);
    } catch (const KeloGtfsErrorClass& error) {
        err << "kelo: " << error.what() << "\n";
        return RefusedExitCode;
    } catch (const std::exception& error) {
        // Anything else comes from writing the database.
        err << "kelo: " << database << ": " << error.what() << "\n";
        return RefusedExitCode;
    }
    const std::string date = FormatGtfsDate(summary.day);
    out << "kelo: imported " << date.substr(0, 4) << "-" << date.substr(4, 2) << "-"
        << date.substr(6, 2) << " into " << database << ": "
        << Plural(summary.stops, "stop", "stops") << ", " << Plural(summary.links, "link", "links")
        << ", " << Plural(summary.kelos, "kelo", "kelos") << ", "
        << Plural(summary.rows, "timetable row", "timetable rows") << "; "
        << Plural(summary.skippedTrips, "trip", "trips") << " with fewer than two stops skipped; "
        << Plural(summary.replacedCharacters, "character", "characters")
        << " outside Windows-1251 or control characters replaced; distances: "
        << summary.distanceSource << "\n";
    return 0;
}
