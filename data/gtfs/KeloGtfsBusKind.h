#pragma once

#include <cstdint>
#include <string>

/// The bus model and category an imported route type becomes (UTF-8).
struct KeloGtfsBusKindType {
    const char* model;
    const char* category;
};

/// The bus model and category of a GTFS route type, basic or extended.
KeloGtfsBusKindType KeloGtfsBusKindOfRouteType(int type);

/// The route type an export gives a kelo without a stored route: the basic type whose bus
/// model it has (Windows-1251 bytes), so a re-import names the same model; a bus otherwise.
std::int32_t KeloGtfsRouteTypeOfBus(const std::string& model);
