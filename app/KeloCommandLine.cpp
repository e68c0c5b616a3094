#include "KeloCommandLine.h"

namespace {

bool IsQtOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-' && argument[1] != '-';
}

bool IsValidServiceDate(const std::string& text) {
    if (text.size() != 8)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    const int month = std::stoi(text.substr(4, 2));
    const int day = std::stoi(text.substr(6, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

} // namespace

KeloCommandLineParseType ParseKeloCommandLine(const std::vector<std::string>& arguments) {
    KeloCommandLineParseType result;
    KeloCommandLineType& options = result.options;
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
        } else if (argument == "--service-date") {
            if (!values(1))
                return fail("--service-date needs a date as YYYYMMDD");
            options.serviceDate = arguments[++i];
            if (!IsValidServiceDate(options.serviceDate))
                return fail("--service-date needs a date as YYYYMMDD, not \"" +
                            options.serviceDate + "\"");
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
    if (options.WantsImport() && options.WantsExport())
        return fail("--import-gtfs and --export cannot be used together");
    if (!options.serviceDate.empty() && !options.WantsImport())
        return fail("--service-date is only used with --import-gtfs");
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
           "  --demo                   look at the built-in data, which cannot be changed\n"
           "  --export NUMBER FILE     write the diagram of the line of kelo NUMBER to FILE\n"
           "                           (.pdf, .svg or .png) without opening a window\n"
           "  --import-gtfs FEED --database FILE [--service-date YYYYMMDD]\n"
           "                           import one day of a GTFS folder or .zip into the new\n"
           "                           database FILE; the day with the most trips by default\n"
           "  --help                   show this text\n"
           "\n"
           "Exit status: 0 on success, 2 when an option or its input is refused.\n";
}
