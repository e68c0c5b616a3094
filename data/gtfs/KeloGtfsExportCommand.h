#pragma once

#include "KeloDataClass.h"

#include <ostream>
#include <string>

/// What `kelo --export-gtfs` was asked for; dates as YYYYMMDD, texts UTF-8 as typed.
struct KeloGtfsExportRequestType {
    std::string file;
    std::string startDate; // today when empty
    std::string endDate;   // a year after the start when empty
    std::string agencyName;
    std::string agencyTimezone;
    std::string agencyUrl;
    std::string agencyLanguage;
};

/// `kelo --export-gtfs OUT.zip`: writes the plan of `source` as a GTFS feed. Prints the
/// summary on `out` and a refusal on `err`. Returns 0, or 2 on any refusal, with no file
/// written.
int RunKeloGtfsExportCommand(KeloDataPtrClass source, const KeloGtfsExportRequestType& request,
                             std::ostream& out, std::ostream& err);
