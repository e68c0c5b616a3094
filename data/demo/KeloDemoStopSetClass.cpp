#include "KeloDemoStopSetClass.h"

#include "KeloDemoStopClass.h"

KeloStopPtrClass KeloDemoStopSetClass::GetItem(std::int32_t index) {
    return KeloStopPtrClass(new KeloDemoStopClass(stops[index]));
}
