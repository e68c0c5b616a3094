#pragma once

#include "KeloDataClass.h"

#include <string>
#include <vector>

/// The line of a kelo, as its diagram window shows it: the stop codes of its timetable in
/// order, repeats included. Empty when the source does not know the number.
std::vector<std::string> KeloLineOf(KeloDataPtrClass source, const std::string& number);
