#include "KeloDemoStopSetClass.h"

#include "KeloDemoStopClass.h"

KeloStopPtrClass KeloDemoStopSetClass::GetItem(std::int32_t index) {
    if (index < 0 || index >= count)
        return KeloStopPtrClass();
    return KeloStopPtrClass(new KeloDemoStopClass(stops[index]));
}
