// The commands that move whole plans between stores: --copy-database, and --import-gtfs into
// a server. They reach the stores only through the functions of KeloStartupSource.
#include "KeloGtfsImportCommand.h"
#include "KeloPlanWriterClass.h"
#include "KeloStartupSource.h"

#include <filesystem>
#include <unistd.h>

namespace {

constexpr int RefusedExitCode = 2;

} // namespace

int RunKeloCopyDatabaseCommand(const std::string& from, const std::string& to, std::ostream& out,
                               std::ostream& err) {
    KeloPlanCountsType counts;
    try {
        WriteNewStorePlan(to, [&](KeloPlanWriterClass& target) {
            KeloPlanCountingWriterClass counting(target);
            ReadStorePlan(from, counting);
            counts = counting.GetCounts();
        });
    } catch (const std::exception& error) {
        err << "kelo: cannot copy " << DescribeStore(from) << " to " << DescribeStore(to) << ": "
            << error.what() << "\n";
        return RefusedExitCode;
    }
    out << "kelo: copied " << counts.kelos << " kelos, " << counts.entries << " timetable rows, "
        << counts.stops << " stops, " << counts.links << " links and " << counts.buses
        << " bus models from " << DescribeStore(from) << " to " << DescribeStore(to) << "\n";
    return 0;
}

int RunKeloGtfsImportIntoStore(const std::string& feed, const std::string& store,
                               const std::string& serviceDate, std::ostream& out,
                               std::ostream& err) {
    if (!IsServerStore(store))
        return RunKeloGtfsImportCommand(feed, store, serviceDate, out, err);
    // The importer writes files; the plan it makes then goes to the server whole.
    std::string pattern = (std::filesystem::temp_directory_path() / "kelo-import-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        err << "kelo: cannot make a temporary folder for the import\n";
        return RefusedExitCode;
    }
    const std::filesystem::path folder(pattern);
    const std::string file = (folder / "import.db").string();
    int status = RunKeloGtfsImportCommand(feed, file, serviceDate, out, err);
    if (status == 0)
        status = RunKeloCopyDatabaseCommand(file, store, out, err);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return status;
}
