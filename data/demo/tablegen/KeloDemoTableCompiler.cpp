#include "KeloDemoTableCompiler.h"

#include "Cp1251.h"

#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <map>
#include <sstream>

namespace {

constexpr std::int32_t EmptyTime = 2147483647;

// One line of a table file, split at tabs, with what is needed to report a fault in it.
struct Line {
    std::string file;
    int number = 0;
    std::vector<std::string> fields;

    [[noreturn]] void Fail(const std::string& message) const {
        throw KeloDemoTableError(file + ":" + std::to_string(number) + ": " + message);
    }
};

std::vector<std::string> SplitTabs(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = text.find('\t', start);
        fields.push_back(text.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

// Reads one table: checks the header and the number of fields of every line.
std::vector<Line> ReadTable(const std::filesystem::path& folder, const std::string& name,
                            const std::vector<std::string>& header) {
    std::ifstream in(folder / name, std::ios::binary);
    if (!in)
        throw KeloDemoTableError(name + ": cannot open " + (folder / name).string());
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string text = buffer.str();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);

    std::vector<Line> lines;
    std::size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        std::string content = text.substr(start, end == std::string::npos ? end : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        ++number;
        if (!content.empty() && content.back() == '\r')
            content.pop_back();
        Line line{name, number, SplitTabs(content)};
        if (content.empty())
            line.Fail("empty line");
        if (line.fields.size() != header.size())
            line.Fail("expected " + std::to_string(header.size()) +
                      " tab-separated fields, found " + std::to_string(line.fields.size()));
        if (number == 1) {
            if (line.fields != header) {
                std::string expected;
                for (const auto& h : header)
                    expected += (expected.empty() ? "" : "\\t") + h;
                line.Fail("the header must be \"" + expected + "\"");
            }
            continue;
        }
        lines.push_back(std::move(line));
    }
    if (number == 0)
        throw KeloDemoTableError(name + ":1: the file is empty");
    return lines;
}

std::string CodePointText(char32_t cp) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
    return buffer;
}

KeloDemoTextTables::Text ToText(const Line& line, std::size_t field, const char* what) {
    const std::string& utf8 = line.fields[field];
    if (utf8.empty())
        line.Fail(std::string("empty ") + what);
    const Cp1251EncodeResult encoded = Utf8ToCp1251(utf8);
    if (encoded.invalidUtf8)
        line.Fail(std::string(what) + " is not valid UTF-8");
    if (!encoded.unmappable.empty())
        line.Fail(std::string(what) + " \"" + utf8 + "\" has a character that Windows-1251 " +
                  "cannot hold (" + CodePointText(encoded.unmappable.front()) + ")");
    for (unsigned char c : encoded.bytes)
        if (c < 0x20 || c == 0x7F)
            line.Fail(std::string(what) + " has a control character");
    return {encoded.bytes, utf8};
}

bool AllDigits(const std::string& text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::int32_t ToCount(const Line& line, std::size_t field, const char* what) {
    const std::string& text = line.fields[field];
    if (!AllDigits(text) || text.size() > 9)
        line.Fail(std::string(what) + " must be a whole number, not \"" + text + "\"");
    return std::stoi(text);
}

KeloDemoTextTables::Text ToCode(const Line& line, std::size_t field, const char* what) {
    KeloDemoTextTables::Text code = ToText(line, field, what);
    if (code.bytes.size() != 6 || !AllDigits(code.bytes))
        line.Fail(std::string(what) + " must be six digits, not \"" + code.utf8 + "\"");
    return code;
}

std::string ToKilometres(const Line& line, std::size_t field) {
    const std::string& text = line.fields[field];
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    const std::string fraction = dot == std::string::npos ? "0" : text.substr(dot + 1);
    if (!AllDigits(whole) || !AllDigits(fraction) || whole.size() > 6 || fraction.size() > 3)
        line.Fail("distance must be kilometres like 24 or 10.2, not \"" + text + "\"");
    return whole + "." + fraction;
}

std::int32_t ToClock(const Line& line, std::size_t field) {
    const std::string& text = line.fields[field];
    if (text.size() != 5 || text[2] != ':' || !AllDigits(text.substr(0, 2)) ||
        !AllDigits(text.substr(3)))
        line.Fail("arrival must be HH:MM, not \"" + text + "\"");
    const int hours = std::stoi(text.substr(0, 2));
    const int minutes = std::stoi(text.substr(3));
    if (hours > 23 || minutes > 59)
        line.Fail("arrival " + text + " is not a time of day");
    return hours * 60 + minutes;
}

std::int32_t ToStay(const Line& line, std::size_t field) {
    if (line.fields[field] == "-")
        return EmptyTime;
    return ToCount(line, field, "stay (minutes, or - for none)");
}

// A C++ string literal of Windows-1251 bytes: printable ASCII as is, everything else as
// \x escapes; a literal is split where a hex digit would run on into an escape.
std::string Literal(const std::string& bytes) {
    static const char* hex = "0123456789ABCDEF";
    std::string out = "\"";
    bool afterEscape = false;
    for (unsigned char c : bytes) {
        const bool hexDigit =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (c >= 0x80 || c < 0x20 || c == '"' || c == '\\' || c == '?') {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
            afterEscape = true;
            continue;
        }
        if (afterEscape && hexDigit)
            out += "\" \"";
        out += static_cast<char>(c);
        afterEscape = false;
    }
    return out + "\"";
}

// A `//` comment showing UTF-8 texts: a backslash would join the next line to the comment
// when it ends the line, and a control character could end the line early, so both are
// written as \x escapes; the comment then always ends where its line ends.
std::string Comment(std::initializer_list<const std::string*> texts) {
    static const char* hex = "0123456789ABCDEF";
    std::string out = " //";
    for (const std::string* text : texts) {
        out += ' ';
        for (unsigned char c : *text) {
            if (c == '\\' || c < 0x20 || c == 0x7F) {
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

} // namespace

KeloDemoTextTables ReadKeloDemoTables(const std::filesystem::path& folder) {
    KeloDemoTextTables tables;
    std::map<std::string, std::string> stopNames; // code -> UTF-8 name
    std::map<std::string, bool> busModels;

    for (const Line& line : ReadTable(folder, "buses.tsv", {"model", "category", "capacity"})) {
        tables.buses.push_back({ToText(line, 0, "bus model"), ToText(line, 1, "category"),
                                ToCount(line, 2, "capacity")});
        busModels[tables.buses.back().model.bytes] = true;
    }
    for (const Line& line : ReadTable(folder, "stops.tsv", {"code", "name"})) {
        tables.stops.push_back({ToCode(line, 0, "stop code"), ToText(line, 1, "stop name")});
        stopNames[tables.stops.back().code.bytes] = tables.stops.back().name.utf8;
    }
    auto requireStop = [&](const Line& line, const KeloDemoTextTables::Text& code) {
        if (!stopNames.count(code.bytes))
            line.Fail("stop code " + code.utf8 + " is not in stops.tsv");
    };
    for (const Line& line : ReadTable(folder, "links.tsv", {"from", "to", "km"})) {
        KeloDemoTextTables::Link link{ToCode(line, 0, "stop code"), ToCode(line, 1, "stop code"),
                                      ToKilometres(line, 2)};
        requireStop(line, link.from);
        requireStop(line, link.to);
        tables.links.push_back(link);
    }
    std::map<std::string, std::size_t> keloIndex;
    for (const Line& line : ReadTable(folder, "kelos.tsv", {"number", "name", "bus"})) {
        KeloDemoTextTables::Kelo kelo{ToText(line, 0, "kelo number"), ToText(line, 1, "kelo name"),
                                      ToText(line, 2, "bus model")};
        if (!busModels.count(kelo.bus.bytes))
            line.Fail("bus model " + kelo.bus.utf8 + " is not in buses.tsv");
        if (keloIndex.count(kelo.number.bytes))
            line.Fail("kelo " + kelo.number.utf8 + " is listed twice");
        keloIndex[kelo.number.bytes] = tables.kelos.size();
        tables.kelos.push_back(kelo);
    }
    // Rows come kelo after kelo in the order of kelos.tsv, each kelo's rows together.
    std::size_t current = 0;
    bool started = false;
    for (const Line& line :
         ReadTable(folder, "rows.tsv", {"kelo", "code", "stop", "arrival", "stay"})) {
        const KeloDemoTextTables::Text number = ToText(line, 0, "kelo number");
        const auto found = keloIndex.find(number.bytes);
        if (found == keloIndex.end())
            line.Fail("kelo " + number.utf8 + " is not in kelos.tsv");
        if (!started || found->second != current) {
            if (started && found->second < current)
                line.Fail("rows of kelo " + number.utf8 +
                          " must follow each other, in the order "
                          "of kelos.tsv");
            const std::size_t expected = started ? current + 1 : 0;
            if (found->second != expected)
                line.Fail("kelo " + tables.kelos[expected].number.utf8 + " has no rows before " +
                          "the rows of kelo " + number.utf8);
            current = found->second;
            started = true;
            tables.kelos[current].firstRow = static_cast<std::int32_t>(tables.rows.size());
        }
        KeloDemoTextTables::Row row{ToCode(line, 1, "stop code"), ToClock(line, 3),
                                    ToStay(line, 4)};
        requireStop(line, row.stop);
        const KeloDemoTextTables::Text name = ToText(line, 2, "stop name");
        if (stopNames[row.stop.bytes] != name.utf8)
            line.Fail("stop " + row.stop.utf8 + " is named \"" + stopNames[row.stop.bytes] +
                      "\" in stops.tsv, not \"" + name.utf8 + "\"");
        tables.rows.push_back(row);
        ++tables.kelos[current].rowCount;
    }
    const std::size_t withRows = started ? current + 1 : 0;
    if (withRows != tables.kelos.size())
        throw KeloDemoTableError("rows.tsv: kelo " + tables.kelos[withRows].number.utf8 +
                                 " has no rows");
    return tables;
}

std::string WriteKeloDemoTablesSource(const KeloDemoTextTables& tables) {
    std::ostringstream out;
    out << "// Generated by kelo_demo_tablegen from data/demo/tables; do not edit.\n"
           "// Texts are Windows-1251 bytes; the comments show them in UTF-8.\n\n"
           "#include \"KeloDemoTables.h\"\n\nnamespace {\n\n";

    // A table without records gets no array (C++ has no empty arrays); its pointer is null.
    auto open = [&out](const char* type, const char* name, bool empty) {
        if (!empty)
            out << "const " << type << " " << name << "[] = {\n";
        return !empty;
    };
    if (open("KeloDemoBusRecordType", "Buses", tables.buses.empty())) {
        for (const auto& b : tables.buses)
            out << "    {" << Literal(b.model.bytes) << ", " << Literal(b.category.bytes) << ", "
                << b.capacity << "}," << Comment({&b.model.utf8, &b.category.utf8}) << "\n";
        out << "};\n\n";
    }
    if (open("KeloDemoStopRecordType", "Stops", tables.stops.empty())) {
        for (const auto& s : tables.stops)
            out << "    {" << Literal(s.code.bytes) << ", " << Literal(s.name.bytes) << "},"
                << Comment({&s.name.utf8}) << "\n";
        out << "};\n\n";
    }
    // Each road pair in both directions with the same distance.
    if (open("KeloDemoLinkRecordType", "Links", tables.links.empty())) {
        for (const auto& l : tables.links) {
            out << "    {" << Literal(l.from.bytes) << ", " << Literal(l.to.bytes) << ", " << l.km
                << "f},\n";
            out << "    {" << Literal(l.to.bytes) << ", " << Literal(l.from.bytes) << ", " << l.km
                << "f},\n";
        }
        out << "};\n\n";
    }
    if (open("KeloDemoRowRecordType", "Rows", tables.rows.empty())) {
        for (const auto& r : tables.rows)
            out << "    {" << Literal(r.stop.bytes) << ", " << r.arrival << ", " << r.stay
                << "},\n";
        out << "};\n\n";
    }
    if (open("KeloDemoKeloRecordType", "Kelos", tables.kelos.empty())) {
        for (const auto& k : tables.kelos)
            out << "    {" << Literal(k.number.bytes) << ", " << Literal(k.name.bytes) << ", "
                << Literal(k.bus.bytes) << ", " << k.firstRow << ", " << k.rowCount << "},"
                << Comment({&k.number.utf8, &k.name.utf8}) << "\n";
        out << "};\n\n";
    }

    auto table = [](const char* name, std::size_t count) {
        return count ? std::string(name) : std::string("nullptr");
    };
    out << "const KeloDemoRootType Root = {\n"
        << "    " << table("Buses", tables.buses.size()) << ", " << tables.buses.size() << ",\n"
        << "    " << table("Stops", tables.stops.size()) << ", " << tables.stops.size() << ",\n"
        << "    " << table("Rows", tables.rows.size()) << ", " << tables.rows.size() << ",\n"
        << "    " << table("Kelos", tables.kelos.size()) << ", " << tables.kelos.size() << ",\n"
        << "    " << table("Links", tables.links.size()) << ", " << 2 * tables.links.size()
        << ",\n};\n\n} // namespace\n\n"
        << "const KeloDemoRootType& KeloDemoBuiltInRoot() { return Root; }\n";
    return out.str();
}
