// Helpers shared by the tests and benchmarks that run over the built-in tables or drive the
// real windows headless.
#pragma once

#include "KeloDataClass.h"
#include "KeloLineOf.h"

#include <cstdint>
#include <string>
#include <vector>

/// The built-in kelo whose line offers the most kelos, with that line and the count.
struct KeloBusiestLineType {
    std::string number;
    std::vector<std::string> line;
    std::int32_t keloCount = 0;
};

/// Found once per program: every built-in kelo's line is tried.
const KeloBusiestLineType& BusiestBuiltInLine();

/// The number of that kelo.
std::string BusiestBuiltInKelo();

/// The line of built-in kelo `number`.
std::vector<std::string> BuiltInLineOf(const std::string& number);

/// Windows without a display: the offscreen platform unless the caller chose one. Call it
/// before the application object is made.
void KeloUseHeadlessPlatform();
