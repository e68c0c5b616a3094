#pragma once

#include "KeloDataClass.h"

#include <ostream>
#include <string>

/// Exit status of `kelo --check` when the line has clashes.
constexpr int KeloCheckClashesExitCode = 1;
/// Exit status of a refused check: unknown kelo number.
constexpr int KeloCheckRefusedExitCode = 2;

// `kelo --check NUMBER [--min-interval M]`: writes the clashes of the line of kelo NUMBER
// (UTF-8 as typed), over the kelos a new diagram window over `bottomSource` would show, to
// `out` as UTF-8 lines `kind;stop code;HH:MM;kelo A;kelo B`. Needs no display. Returns 0
// for a clean line, KeloCheckClashesExitCode when clashes were found, or
// KeloCheckRefusedExitCode after one line on `errors`.
int RunClashCheck(const std::string& number, int minimumInterval, KeloDataPtrClass bottomSource,
                  std::ostream& out, std::ostream& errors);
