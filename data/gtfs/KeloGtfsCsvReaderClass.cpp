#include "KeloGtfsCsvReaderClass.h"

#include "KeloGtfsErrorClass.h"

#include <cstring>

namespace {

// Also the longest record: a feed's lines are short, and a longer one (a zip of a few MB
// can hold a line of gigabytes) would only fill memory before it is refused.
constexpr std::size_t BufferSize = 1 << 20;

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

KeloGtfsCsvReaderClass::KeloGtfsCsvReaderClass(std::unique_ptr<KeloGtfsByteSourceClass> source,
                                               std::string fileName)
    : source(std::move(source)), fileName(std::move(fileName)), buffer(BufferSize) {
    // A source may hand out fewer bytes than asked, even fewer than the mark's three.
    while (end - begin < 3 && Fill()) {
    }
    if (end - begin >= 3 && std::memcmp(buffer.data() + begin, "\xEF\xBB\xBF", 3) == 0)
        begin += 3;
    if (!Next())
        throw KeloGtfsErrorClass(this->fileName +
                                 ": the file is empty, the header line is missing");
    // Column names are matched without surrounding blanks, which some exporters add.
    for (std::string_view name : fields)
        header.emplace_back(TrimBlanks(name));
}

int KeloGtfsCsvReaderClass::FindColumn(std::string_view name) const {
    for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i] == name)
            return static_cast<int>(i);
    return -1;
}

int KeloGtfsCsvReaderClass::RequireColumn(std::string_view name) const {
    const int column = FindColumn(name);
    if (column < 0)
        throw KeloGtfsErrorClass(fileName + ": the required column \"" + std::string(name) +
                                 "\" is missing");
    return column;
}

void KeloGtfsCsvReaderClass::Fail(const std::string& message) const {
    FailAt(recordLine, message);
}

void KeloGtfsCsvReaderClass::FailAt(std::uint64_t at, const std::string& message) const {
    throw KeloGtfsErrorClass(fileName, at, message);
}

bool KeloGtfsCsvReaderClass::Fill() {
    if (atEof)
        return false;
    if (begin > 0) {
        std::memmove(buffer.data(), buffer.data() + begin, end - begin);
        end -= begin;
        begin = 0;
    }
    if (end == buffer.size())
        FailAt(line, "a record is longer than 1 MB");
    const std::size_t got = source->Read(buffer.data() + end, buffer.size() - end);
    if (got == 0)
        atEof = true;
    end += got;
    return got > 0;
}

bool KeloGtfsCsvReaderClass::Next() {
    for (;;) {
        std::size_t consumed = 0;
        std::uint64_t lines = 0;
        const ParseResult result = TryParse(consumed, lines);
        if (result == ParseResult::NeedMore) {
            Fill();
            continue;
        }
        if (result == ParseResult::End)
            return false;
        recordLine = line;
        line += lines;
        begin += consumed;
        // A blank line is one empty unquoted field: nothing to read.
        if (spans.size() == 1 && spans[0].length == 0 && !spans[0].copied && consumed <= 2 &&
            lines > 0)
            continue;
        fields.clear();
        for (const Span& span : spans)
            fields.emplace_back((span.copied ? unquoted.data() : buffer.data()) + span.offset,
                                span.length);
        if (!header.empty() && fields.size() != header.size())
            Fail("has " + std::to_string(fields.size()) +
                 (fields.size() == 1 ? " field" : " fields") + ", the header " +
                 std::to_string(header.size()));
        return true;
    }
}

KeloGtfsCsvReaderClass::ParseResult KeloGtfsCsvReaderClass::TryParse(std::size_t& consumed,
                                                                     std::uint64_t& lines) {
    const char* const data = buffer.data();
    std::size_t pos = begin;
    spans.clear();
    unquoted.clear();
    if (pos == end)
        return atEof ? ParseResult::End : ParseResult::NeedMore;

    for (;;) {
        // One field starts at pos.
        if (pos < end && data[pos] == '"') {
            const std::uint64_t quoteLine = line + lines;
            std::size_t from = ++pos;
            Span span{unquoted.size(), 0, false};
            bool copied = false;
            for (;;) {
                const void* hit = pos < end ? std::memchr(data + pos, '"', end - pos) : nullptr;
                if (!hit) {
                    if (!atEof)
                        return ParseResult::NeedMore;
                    FailAt(quoteLine, "a quoted field is not closed");
                }
                const std::size_t quote = static_cast<const char*>(hit) - data;
                for (std::size_t i = pos; i < quote; ++i)
                    if (data[i] == '\n')
                        ++lines;
                if (quote + 1 >= end && !atEof)
                    return ParseResult::NeedMore;
                if (quote + 1 < end && data[quote + 1] == '"') {
                    // A doubled quote stands for one: the field is copied without it.
                    unquoted.append(data + from, quote + 1 - from);
                    copied = true;
                    from = pos = quote + 2;
                    continue;
                }
                if (copied) {
                    unquoted.append(data + from, quote - from);
                    span.length = unquoted.size() - span.offset;
                    span.copied = true;
                } else {
                    span = Span{from, quote - from, false};
                }
                pos = quote + 1;
                break;
            }
            spans.push_back(span);
            if (pos < end && data[pos] != ',' && data[pos] != '\r' && data[pos] != '\n')
                FailAt(line + lines, "text follows a closing quote");
        } else {
            const std::size_t from = pos;
            while (pos < end && data[pos] != ',' && data[pos] != '\n' && data[pos] != '\r')
                ++pos;
            if (pos == end && !atEof)
                return ParseResult::NeedMore;
            spans.push_back(Span{from, pos - from, false});
        }
        // After a field: a comma, a line end, or the end of the file.
        if (pos == end) {
            if (!atEof)
                return ParseResult::NeedMore;
            consumed = pos - begin;
            return ParseResult::Complete;
        }
        if (data[pos] == ',') {
            ++pos;
            continue;
        }
        if (data[pos] == '\r') {
            if (pos + 1 == end && !atEof)
                return ParseResult::NeedMore;
            if (pos + 1 < end && data[pos + 1] == '\n')
                ++pos;
        }
        ++pos;
        ++lines;
        consumed = pos - begin;
        return ParseResult::Complete;
    }
}
