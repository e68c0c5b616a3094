#pragma once

#include "KeloDataClass.h"

#include <string>
#include <vector>

/// The stops of the line, in selection order (a code listed twice appears twice).
class KeloSFStopSetClass : public KeloStopSetClass {
public:
    KeloSFStopSetClass(KeloDataPtrClass lower, const std::vector<std::string>* selection);

    std::int32_t GetCount() override;
    KeloStopPtrClass GetItem(std::int32_t index) override;

private:
    KeloDataPtrClass Lower;
    const std::vector<std::string>* Selection;
};

/// Distances of the lower source, asked afresh on every call.
class KeloSFTopologyClass : public KeloTopologyClass {
public:
    explicit KeloSFTopologyClass(KeloDataPtrClass lower);

    bool HasLink(const std::string& codeA, const std::string& codeB) override;
    float GetDistance(const std::string& codeA, const std::string& codeB) override;

private:
    KeloDataPtrClass Lower;
};

/// All kelos of the lower source in its order, each seen through the view.
class KeloSFKeloSetClass : public KeloKeloSetClass {
public:
    KeloSFKeloSetClass(KeloKeloSetPtrClass lower, const std::vector<std::string>* selection);

    std::int32_t GetCount() override;
    KeloKeloPtrClass GetItem(std::int32_t index) override;

private:
    KeloKeloSetPtrClass Lower;
    const std::vector<std::string>* Selection;
};
