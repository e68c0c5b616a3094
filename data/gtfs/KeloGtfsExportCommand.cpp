#include "KeloGtfsExportCommand.h"

#include "KeloGtfsExporterClass.h"
#include "KeloGtfsTime.h"

#include <exception>

namespace {

constexpr int RefusedExitCode = 2;

std::string ReadableDate(std::int32_t day) {
    const std::string date = FormatGtfsDate(day);
    return date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6, 2);
}

} // namespace

int RunKeloGtfsExportCommand(KeloDataPtrClass source, const KeloGtfsExportRequestType& request,
                             std::ostream& out, std::ostream& err) {
    KeloGtfsExportOptionsType options;
    options.file = request.file;
    const std::optional<std::int32_t> start =
        request.startDate.empty() ? KeloGtfsLocalToday() : ParseGtfsDate(request.startDate);
    if (!start) {
        err << "kelo: --start-date " << request.startDate << " is not a date\n";
        return RefusedExitCode;
    }
    const std::optional<std::int32_t> end =
        request.endDate.empty() ? KeloGtfsSameDayNextYear(*start) : ParseGtfsDate(request.endDate);
    if (!end) {
        err << "kelo: --end-date " << request.endDate << " is not a date\n";
        return RefusedExitCode;
    }
    options.startDay = *start;
    options.endDay = *end;
    if (!request.agencyName.empty())
        options.agency = KeloFeedAgencyType{request.agencyName, request.agencyUrl,
                                            request.agencyTimezone, request.agencyLanguage};
    KeloGtfsExportSummaryType summary;
    try {
        summary = KeloGtfsExporterClass().Run(KeloReadFeedPlan(source), options);
    } catch (const KeloGtfsExportErrorClass& error) {
        err << "kelo: " << error.what() << "\n";
        return RefusedExitCode;
    } catch (const std::exception& error) {
        // Anything else comes from reading the plan.
        err << "kelo: cannot read the plan: " << error.what() << "\n";
        return RefusedExitCode;
    }
    out << "kelo: exported " << summary.trips << " trips, " << summary.stopTimes << " stop times, "
        << summary.stops << " stops and " << summary.routes << " routes into " << request.file
        << ", running every day from " << ReadableDate(options.startDay) << " to "
        << ReadableDate(options.endDay);
    if (summary.skippedKelos)
        out << "; " << summary.skippedKelos << " kelos without times at two stops left out";
    out << "\n";
    return 0;
}
