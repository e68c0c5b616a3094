#pragma once

#include "KeloDataClass.h"

#include <functional>
#include <ostream>
#include <string>

/// Exit status of a refused export: unknown kelo, unknown file type, unwritable file.
constexpr int KeloExportRefusedExitCode = 2;

// `kelo --export NUMBER FILE`: writes the diagram of the line of kelo NUMBER (UTF-8 as
// typed), as a new diagram window over `bottomSource` would show it, into FILE as PDF, SVG
// or PNG by its extension, without opening a window. Needs a QApplication. Returns 0, or
// KeloExportRefusedExitCode after one line on `errors`. `readFailure` tells a failed read of
// the source, which refuses the export before anything is written. A PNG that had to be scaled
// down to ZoMaxPngSide is written and said so in one line on `errors`; the status stays 0.
int RunDiagramExport(
    const std::string& number, const std::string& file, KeloDataPtrClass bottomSource,
    std::ostream& errors,
    const std::function<std::string()>& readFailure = [] { return std::string(); });
