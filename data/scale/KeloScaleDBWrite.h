#pragma once

#include "KeloScaleSet.h"

#include <string>

/// Writes a scale data set into a new Kelo database at `path` (which must not exist), all of
/// it or nothing. Throws KeloDBErrorClass on failure.
void KeloScaleDBWrite(const KeloScaleSetType& set, const std::string& path);

/// The database of the scale data set at `factor` at `path`, made when the file is missing.
/// Returns whether it had to be made.
bool KeloScaleDBEnsure(int factor, const std::string& path);
