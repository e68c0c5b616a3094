#pragma once

#include "KeloGtfsByteSourceClass.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

/// Streaming RFC 4180 reader of one feed table: a header line of column names, then records.
/// Quoted fields may hold commas, doubled quotes and line breaks; lines end in LF or CR LF;
/// a UTF-8 byte-order mark before the header is skipped. Blank lines are passed over. A
/// record longer than 1 MB is refused.
/// Fields are views valid until the next call of Next.
class KeloGtfsCsvReaderClass {
public:
    // Reads the header at once; `fileName` names the table in every refusal.
    KeloGtfsCsvReaderClass(std::unique_ptr<KeloGtfsByteSourceClass> source, std::string fileName);

    const std::string& GetFileName() const { return fileName; }
    // Position of a column, or -1 when the header lacks it.
    int FindColumn(std::string_view name) const;
    // Position of a column the import cannot do without; refuses when it is missing.
    int RequireColumn(std::string_view name) const;

    // The next record; false at the end. A record whose field count differs from the header's
    // or that breaks the quoting rules is refused with its line.
    bool Next();
    // Field `column` of the current record; an empty view for column -1.
    std::string_view Field(int column) const {
        return column < 0 ? std::string_view() : fields[static_cast<std::size_t>(column)];
    }
    std::size_t GetFieldCount() const { return fields.size(); }
    // Line on which the current record starts, 1 for the header.
    std::uint64_t GetLine() const { return recordLine; }
    // Refusal naming this table and the current record's line.
    [[noreturn]] void Fail(const std::string& message) const;

private:
    enum class ParseResult { Complete, NeedMore, End };
    bool Fill();
    ParseResult TryParse(std::size_t& consumed, std::uint64_t& lines);
    [[noreturn]] void FailAt(std::uint64_t line, const std::string& message) const;

    std::unique_ptr<KeloGtfsByteSourceClass> source;
    std::string fileName;
    std::vector<std::string> header;
    std::vector<char> buffer;
    std::size_t begin = 0; // first unread byte
    std::size_t end = 0;   // one past the last byte read
    bool atEof = false;
    std::string unquoted; // fields that needed unquoting, back to back
    struct Span {
        std::size_t offset;
        std::size_t length;
        bool copied; // in `unquoted` rather than in `buffer`
    };
    std::vector<Span> spans;
    std::vector<std::string_view> fields;
    std::uint64_t line = 1;
    std::uint64_t recordLine = 1;
};
