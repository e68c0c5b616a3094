#pragma once

#include <cstddef>

/// A file of the feed read front to back, from a folder or a zip.
class KeloGtfsByteSourceClass {
public:
    virtual ~KeloGtfsByteSourceClass() = default;
    // Up to `size` bytes into `buffer`; 0 at the end. A read failure throws KeloGtfsErrorClass.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};
