#include "KeloDataCUDeletedKeloStorageClass.h"

#include <algorithm>

bool KeloDataCUDeletedKeloStorageClass::Contains(const std::string& number) const {
    return IndexOf(number) >= 0;
}

std::int32_t KeloDataCUDeletedKeloStorageClass::IndexOf(const std::string& number) const {
    for (std::size_t i = 0; i < Numbers.size(); ++i)
        if (Numbers[i] == number)
            return static_cast<std::int32_t>(i);
    return -1;
}

void KeloDataCUDeletedKeloStorageClass::Add(const std::string& number) {
    if (!Contains(number))
        Numbers.push_back(number);
}

void KeloDataCUDeletedKeloStorageClass::Remove(const std::string& number) {
    const std::int32_t index = IndexOf(number);
    if (index >= 0)
        Numbers.erase(Numbers.begin() + index);
}

void KeloDataCUDeletedKeloStorageClass::Clear() {
    Numbers.clear();
}

std::int32_t KeloDataCUDeletedKeloStorageClass::GetCount() const {
    return static_cast<std::int32_t>(Numbers.size());
}

std::string KeloDataCUDeletedKeloStorageClass::GetItem(std::int32_t index) const {
    if (index < 0 || index >= GetCount())
        return {};
    return Numbers[index];
}

void KeloDataCUDeletedKeloStorageClass::Insert(std::int32_t position, const std::string& number) {
    const auto at =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(position, 0)), Numbers.size());
    Numbers.insert(Numbers.begin() + static_cast<std::ptrdiff_t>(at), number);
}
