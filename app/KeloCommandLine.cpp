#include "KeloCommandLine.h"

#include "KeloGtfsTime.h"

namespace {

bool IsQtOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-' && argument[1] != '-';
}

// A whole number of minutes from 0 to 720, nothing else.
bool ReadMinimumInterval(const std::string& text, int& minutes) {
    if (text.empty() || text.size() > 3)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    minutes = std::stoi(text);
    return minutes <= 720;
}

std::string* AgencyOption(KeloCommandLineType& options, const std::string& argument) {
    if (argument == "--agency-name")
        return &options.agencyName;
    if (argument == "--agency-timezone")
        return &options.agencyTimezone;
    if (argument == "--agency-url")
        return &options.agencyUrl;
    if (argument == "--agency-lang")
        return &options.agencyLanguage;
    return nullptr;
}

} // namespace

KeloCommandLineParseType ParseKeloCommandLine(const std::vector<std::string>& arguments) {
    KeloCommandLineParseType result;
    KeloCommandLineType& options = result.options;
    bool minimumIntervalGiven = false;
    auto fail = [&result](std::string message) {
        result.error = std::move(message);
        return result;
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        // How many values follow the option at i; missing ones are an error.
        auto values = [&](std::size_t count) { return i + count < arguments.size(); };
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--export") {
            if (!values(2))
                return fail("--export needs a kelo number and a file name");
            if (options.WantsExport())
                return fail("--export is given twice");
            options.exportNumber = arguments[++i];
            options.exportFile = arguments[++i];
            if (options.exportFile.empty())
                return fail("--export needs a file name");
        } else if (argument == "--check") {
            if (!values(1) || arguments[i + 1].empty())
                return fail("--check needs a kelo number");
            if (options.WantsCheck())
                return fail("--check is given twice");
            options.check = true;
            options.checkNumber = arguments[++i];
        } else if (argument == "--min-interval") {
            if (!values(1))
                return fail("--min-interval needs a number of minutes");
            if (!ReadMinimumInterval(arguments[++i], options.minimumInterval))
                return fail("--min-interval needs whole minutes from 0 to 720, not \"" +
                            arguments[i] + "\"");
            minimumIntervalGiven = true;
        } else if (argument == "--demo") {
            options.demo = true;
        } else if (argument == "--database") {
            if (!values(1) || arguments[i + 1].empty())
                return fail("--database needs a file name");
            if (!options.database.empty())
                return fail("--database is given twice");
            options.database = arguments[++i];
        } else if (argument == "--import-gtfs") {
            if (!values(1) || arguments[i + 1].empty())
                return fail("--import-gtfs needs a GTFS folder or .zip file");
            if (options.WantsImport())
                return fail("--import-gtfs is given twice");
            options.importFeed = arguments[++i];
        } else if (argument == "--copy-database") {
            if (!values(2) || arguments[i + 1].empty() || arguments[i + 2].empty())
                return fail("--copy-database needs the plan to copy and where to copy it");
            if (options.WantsCopy())
                return fail("--copy-database is given twice");
            options.copyFrom = arguments[++i];
            options.copyTo = arguments[++i];
        } else if (argument == "--service-date") {
            if (!values(1))
                return fail("--service-date needs a date as YYYYMMDD");
            options.serviceDate = arguments[++i];
            if (!ParseServiceDate(options.serviceDate))
                return fail("--service-date needs a date as YYYYMMDD, not \"" +
                            options.serviceDate + "\"");
        } else if (argument == "--export-gtfs") {
            if (!values(1) || arguments[i + 1].empty())
                return fail("--export-gtfs needs a .zip file name");
            if (options.WantsGtfsExport())
                return fail("--export-gtfs is given twice");
            options.exportGtfs = arguments[++i];
        } else if (argument == "--start-date" || argument == "--end-date") {
            std::string& date = argument == "--start-date" ? options.startDate : options.endDate;
            if (!values(1) || !ParseServiceDate(arguments[i + 1]))
                return fail(argument + " needs a date as YYYYMMDD");
            date = arguments[++i];
        } else if (std::string* agency = AgencyOption(options, argument)) {
            if (!values(1) || arguments[i + 1].empty())
                return fail(argument + " needs a value");
            *agency = arguments[++i];
        } else if (IsQtOption(argument)) {
            // Qt's own option; its value, if any, is the next bare word.
            if (i + 1 < arguments.size() && !arguments[i + 1].empty() && arguments[i + 1][0] != '-')
                ++i;
        } else {
            return fail("unknown argument \"" + argument + "\"");
        }
    }

    if (options.help)
        return result;
    if (options.demo && (!options.database.empty() || options.WantsImport()))
        return fail("--demo cannot be used with --database or --import-gtfs");
    if (options.WantsImport() && options.database.empty())
        return fail("--import-gtfs needs --database FILE for the new database");
    if (options.WantsCopy() &&
        (options.WantsImport() || options.WantsExport() || !options.database.empty()))
        return fail("--copy-database is used on its own");
    if (options.WantsImport() && options.WantsExport())
        return fail("--import-gtfs and --export cannot be used together");
    if (options.WantsCheck() && (options.WantsImport() || options.WantsExport()))
        return fail("--check cannot be used with --export or --import-gtfs");
    if (minimumIntervalGiven && !options.WantsCheck())
        return fail("--min-interval is only used with --check");
    if (!options.serviceDate.empty() && !options.WantsImport())
        return fail("--service-date is only used with --import-gtfs");
    const bool agencyGiven = !options.agencyName.empty() || !options.agencyTimezone.empty() ||
                             !options.agencyUrl.empty() || !options.agencyLanguage.empty();
    if (!options.WantsGtfsExport() &&
        (agencyGiven || !options.startDate.empty() || !options.endDate.empty()))
        return fail("--start-date, --end-date and --agency-... are only used with --export-gtfs");
    if (options.WantsGtfsExport() && (options.WantsImport() || options.WantsExport()))
        return fail("--export-gtfs cannot be used with --import-gtfs or --export");
    // A feed's operator needs all three; the language may be left out.
    if (agencyGiven &&
        (options.agencyName.empty() || options.agencyTimezone.empty() || options.agencyUrl.empty()))
        return fail("--agency-name needs --agency-timezone and --agency-url with it");
    return result;
}

std::string KeloCommandLineUsage() {
    return "Usage: kelo [OPTIONS]\n"
           "Without options Kelo starts the interactive planner on the planner's own plan:\n"
           "the plan opened last, at first the file plan.db in the user's data folder\n"
           "(~/.local/share/Kelo), made from the built-in data set on first start.\n"
           "\n"
           "  --database FILE          work on the database FILE; a missing or empty FILE is\n"
           "                           created from the built-in data set\n"
           "  --database postgresql://USER@HOST:PORT/DB  (or \"host=HOST dbname=DB\")\n"
           "                           work on a plan kept by a PostgreSQL server; an empty\n"
           "                           database is filled with the built-in data set\n"
           "  --demo                   look at the built-in data, which cannot be changed\n"
           "  --export NUMBER FILE     write the diagram of the line of kelo NUMBER to FILE\n"
           "                           (.pdf, .svg or .png) without opening a window\n"
           "  --import-gtfs FEED --database FILE|SERVER [--service-date YYYYMMDD]\n"
           "                           import one day of a GTFS folder or .zip into the new\n"
           "                           database FILE or empty server database; the day with\n"
           "                           the most trips by default\n"
           "  --check NUMBER [--min-interval M]\n"
           "                           list the clashes of the line of kelo NUMBER, one per\n"
           "                           line: kind;stop code;HH:MM;kelo A;kelo B, where kind\n"
           "                           is interval (two departures of one direction less\n"
           "                           than M minutes apart, 3 by default, 0 = off) or\n"
           "                           overtaking (leaves later, arrives at the next stop\n"
           "                           first); exit status 1 when there are any\n"
           "  --copy-database FROM TO  copy the plan FROM (a file or a server) into TO, a new\n"
           "                           file or an empty server database, in one transaction\n"
           "  --export-gtfs OUT.zip [--start-date YYYYMMDD] [--end-date YYYYMMDD]\n"
           "        [--agency-name NAME --agency-timezone ZONE --agency-url URL\n"
           "         [--agency-lang LANG]]\n"
           "                           write the plan as a GTFS feed, run every day from\n"
           "                           the start (today) to the end date (a year later); the\n"
           "                           operator is needed when the plan stores none\n"
           "  --help                   show this text\n"
           "\n"
           "Exit status: 0 on success, 2 when an option or its input is refused.\n";
}
