// The feed table reader over any bytes, cut into reads of a size the input chooses: it
// refuses or reads, and every field it hands out lies within the record.
#include "KeloGtfsCsvReaderClass.h"
#include "KeloGtfsErrorClass.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

class PiecewiseSource : public KeloGtfsByteSourceClass {
public:
    PiecewiseSource(const std::uint8_t* data, std::size_t size, std::size_t piece)
        : data(data), size(size), piece(piece) {}
    std::size_t Read(char* buffer, std::size_t room) override {
        const std::size_t n = std::min({room, piece, size - at});
        std::memcpy(buffer, data + at, n);
        at += n;
        return n;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t piece;
    std::size_t at = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks the read size, so records straddle reads in every way.
    const std::size_t piece = 1 + data[0] % 16;
    try {
        KeloGtfsCsvReaderClass reader(std::make_unique<PiecewiseSource>(data + 1, size - 1, piece),
                                      "fuzz.txt");
        const int column = reader.FindColumn("a");
        while (reader.Next()) {
            std::size_t total = 0;
            for (std::size_t i = 0; i < reader.GetFieldCount(); ++i)
                total += reader.Field(static_cast<int>(i)).size();
            if (total > size || reader.Field(column).size() > size)
                __builtin_trap();
        }
    } catch (const KeloGtfsErrorClass&) {
    }
    return 0;
}
