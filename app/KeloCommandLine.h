#pragma once

#include <string>
#include <vector>

/// What the planner asked for on the command line. Started without arguments, every field
/// is empty and the program runs as the interactive planner on the planner's own plan.
struct KeloCommandLineType {
    bool help = false;
    bool demo = false;        // --demo: the built-in data, which cannot be changed
    std::string exportNumber; // --export NUMBER FILE: kelo number, UTF-8 as typed
    std::string exportFile;
    std::string database;    // --database FILE
    std::string importFeed;  // --import-gtfs FEED (needs --database)
    std::string serviceDate; // --service-date YYYYMMDD (only with --import-gtfs)
    std::string checkNumber; // --check NUMBER: kelo number, UTF-8 as typed
    bool check = false;
    int minimumInterval = 3; // --min-interval M (only with --check); 0 turns intervals off
    std::string copyFrom;    // --copy-database FROM TO: two stores, files or servers
    std::string copyTo;
    std::string exportGtfs; // --export-gtfs OUT.zip
    std::string startDate;  // --start-date YYYYMMDD (only with --export-gtfs)
    std::string endDate;    // --end-date YYYYMMDD (only with --export-gtfs)
    std::string agencyName; // --agency-name, --agency-timezone, --agency-url, --agency-lang
    std::string agencyTimezone;
    std::string agencyUrl;
    std::string agencyLanguage;

    bool WantsExport() const { return !exportFile.empty(); }
    bool WantsImport() const { return !importFeed.empty(); }
    bool WantsCheck() const { return check; }
    bool WantsCopy() const { return !copyTo.empty(); }
    bool WantsGtfsExport() const { return !exportGtfs.empty(); }
};

/// Result of reading the arguments: the options, or one line saying what is wrong.
struct KeloCommandLineParseType {
    KeloCommandLineType options;
    std::string error; // empty when the arguments are usable
};

// Reads the arguments after the program name. Single-dash arguments belong to Qt
// ("-platform offscreen", "-style fusion") and are passed over with their value.
KeloCommandLineParseType ParseKeloCommandLine(const std::vector<std::string>& arguments);

// The text of --help.
std::string KeloCommandLineUsage();
