#include "KeloGtfsBusKind.h"

#include "Cp1251.h"

KeloGtfsBusKindType KeloGtfsBusKindOfRouteType(int type) {
    // Basic route types, then the extended ones by their hundreds.
    switch (type) {
    case 0:
        return {"ТРАМВАЙ", "ТРМ"};
    case 1:
        return {"МЕТРО", "МТР"};
    case 2:
        return {"ПОЕЗД", "ЖДП"};
    case 3:
        return {"АВТОБУС", "АВТ"};
    case 4:
        return {"ПАРОМ", "ПРМ"};
    case 5:
        return {"КАНАТНЫЙ ТРАМВАЙ", "КНТ"};
    case 6:
        return {"КАНАТНАЯ ДОРОГА", "КНД"};
    case 7:
        return {"ФУНИКУЛЁР", "ФНК"};
    case 11:
        return {"ТРОЛЛЕЙБУС", "ТРЛ"};
    case 12:
        return {"МОНОРЕЛЬС", "МНР"};
    default:
        break;
    }
    switch (type / 100) {
    case 1:
        return KeloGtfsBusKindOfRouteType(2);
    case 2:
        return {"МЕЖДУГОРОДНИЙ АВТОБУС", "АВТ"};
    case 4:
        return KeloGtfsBusKindOfRouteType(1);
    case 7:
        return KeloGtfsBusKindOfRouteType(3);
    case 8:
        return KeloGtfsBusKindOfRouteType(11);
    case 9:
        return KeloGtfsBusKindOfRouteType(0);
    case 10:
    case 12:
        return KeloGtfsBusKindOfRouteType(4);
    case 11:
        return {"САМОЛЁТ", "АВИ"};
    case 13:
        return KeloGtfsBusKindOfRouteType(6);
    case 14:
        return KeloGtfsBusKindOfRouteType(7);
    case 15:
        return {"ТАКСИ", "ТКС"};
    default:
        return {"ТРАНСПОРТ", "ПРЧ"};
    }
}

std::int32_t KeloGtfsRouteTypeOfBus(const std::string& model) {
    // The extended intercity bus comes first: its model is not one of a basic type.
    for (const int type : {200, 0, 1, 2, 3, 4, 5, 6, 7, 11, 12, 1100, 1500, 1700})
        if (Utf8ToCp1251(KeloGtfsBusKindOfRouteType(type).model).bytes == model)
            return type;
    return 3;
}
