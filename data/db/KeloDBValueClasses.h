#pragma once

#include "KeloDataClass.h"

#include <string>

/// A stop read from the database: code and name as they were when it was read.
class KeloDBStopClass : public KeloStopClass {
public:
    KeloDBStopClass(std::string code, std::string name)
        : code(std::move(code)), name(std::move(name)) {}

    std::string GetCode() override { return code; }
    std::string GetName() override { return name; }

private:
    std::string code;
    std::string name;
};

/// A bus model read from the database.
class KeloDBBusClass : public KeloBusClass {
public:
    KeloDBBusClass(std::string model, std::string category, std::int32_t capacity)
        : model(std::move(model)), category(std::move(category)), capacity(capacity) {}

    std::string GetModel() override { return model; }
    std::string GetCategory() override { return category; }
    std::int32_t GetCapacity() override { return capacity; }

private:
    std::string model;
    std::string category;
    std::int32_t capacity;
};
