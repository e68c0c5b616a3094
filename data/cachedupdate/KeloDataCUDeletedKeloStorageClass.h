#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// Numbers of the kelos deleted in an edit buffer, in the order of deletion, each once.
class KeloDataCUDeletedKeloStorageClass {
public:
    bool Contains(const std::string& number) const;
    // Position of the number, or -1.
    std::int32_t IndexOf(const std::string& number) const;
    // Appends the number unless it is already listed.
    void Add(const std::string& number);
    // Removes the number if listed; later numbers move up.
    void Remove(const std::string& number);
    // Puts the number at that position (at the end when beyond it).
    void Insert(std::int32_t position, const std::string& number);
    void Clear();
    std::int32_t GetCount() const;
    // Empty text for an index past the end.
    std::string GetItem(std::int32_t index) const;

private:
    std::vector<std::string> Numbers;
};
