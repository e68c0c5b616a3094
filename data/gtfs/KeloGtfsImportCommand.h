#pragma once

#include <ostream>
#include <string>

/// `kelo --import-gtfs FEED --database FILE [--service-date YYYYMMDD]`: imports one day of
/// the feed into the new database FILE. Prints the summary line on `out`, progress (for
/// imports over a second) and the one-line refusal on `err`. Returns the exit status:
/// 0 on success, 2 on any refusal, with no file created.
int RunKeloGtfsImportCommand(const std::string& feed, const std::string& database,
                             const std::string& serviceDate, std::ostream& out, std::ostream& err);
