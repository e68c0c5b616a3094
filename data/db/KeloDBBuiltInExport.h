#pragma once

#include <string>

class KeloPlanWriterClass;

/// Writes the built-in data set into a new Kelo database at `path` (which must not exist),
/// all of it or nothing. Throws KeloDBErrorClass on failure.
void KeloDBWriteBuiltInDataSet(const std::string& path);

/// Writes the built-in data set into any plan writer, and commits it.
void KeloWriteBuiltInPlan(KeloPlanWriterClass& writer);
