#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

/// A table that cannot be compiled; the message names the file and line.
class KeloDemoTableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The five demonstration tables as read from their UTF-8 text form, texts already in
/// Windows-1251 bytes (the UTF-8 form is kept for comments in the generated source).
struct KeloDemoTextTables {
    struct Text {
        std::string bytes; // Windows-1251
        std::string utf8;
    };
    struct Bus {
        Text model, category;
        std::int32_t capacity = 0;
    };
    struct Stop {
        Text code, name;
    };
    struct Link {
        Text from, to;
        std::string km; // decimal text, used as a float literal
    };
    struct Kelo {
        Text number, name, bus;
        std::int32_t firstRow = 0;
        std::int32_t rowCount = 0;
    };
    struct Row {
        Text stop;
        std::int32_t arrival = 0;
        std::int32_t stay = 0;
    };

    std::vector<Bus> buses;
    std::vector<Stop> stops;
    std::vector<Link> links; // one per road pair; compiled in both directions
    std::vector<Kelo> kelos;
    std::vector<Row> rows;
};

/// Reads buses.tsv, stops.tsv, links.tsv, kelos.tsv and rows.tsv from `folder`.
/// Throws KeloDemoTableError on a malformed table, a text Windows-1251 cannot hold or a
/// reference to a stop, bus model or kelo that the tables do not have.
KeloDemoTextTables ReadKeloDemoTables(const std::filesystem::path& folder);

/// C++ source that defines KeloDemoBuiltInRoot() over static tables of escaped bytes.
std::string WriteKeloDemoTablesSource(const KeloDemoTextTables& tables);
