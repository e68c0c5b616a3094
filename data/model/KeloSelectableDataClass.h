#pragma once

#include "KeloDataClass.h"

#include <string>
#include <vector>

/// Optional interface of a bottom data source that can offer a copy of itself restricted to
/// a stop selection: only kelos with at least two calls at the selected stops are offered.
class KeloSelectableDataClass {
public:
    virtual ~KeloSelectableDataClass() = default;
    // A new source over the same data; an empty selection offers every kelo.
    virtual KeloDataPtrClass SelectStops(const std::vector<std::string>& stopCodes) = 0;
};

/// The source restricted to the stops where it can be; otherwise the source itself.
inline KeloDataPtrClass KeloSelectStops(KeloDataPtrClass source,
                                        const std::vector<std::string>& stopCodes) {
    if (source.IsNull())
        return source;
    auto* selectable = dynamic_cast<KeloSelectableDataClass*>(&*source);
    return selectable ? selectable->SelectStops(stopCodes) : source;
}
