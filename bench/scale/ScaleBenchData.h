#pragma once

#include "KeloDataClass.h"

#include <memory>
#include <string>
#include <vector>

class KeloDBConnectionClass;

/// One scale database opened for a benchmark: made on first use in the build folder.
struct ScaleBenchDatabase {
    std::string path;
    std::shared_ptr<KeloDBConnectionClass> connection;
    std::string trunkKelo;
    std::vector<std::string> trunkLine;

    // The source over all kelos, or over the kelos of a line.
    KeloDataPtrClass Source(const std::vector<std::string>& selection = {}) const;
};

/// The factor that stands for the synthetic city feed instead of the scale data; its trunk is
/// the feed's busiest line.
constexpr int CityFeedFactor = 0;

/// The folder of the generated city feed.
std::string CityFeedDir();

/// The database at factor `factor` (or of the city feed), opened once per process.
ScaleBenchDatabase& ScaleDatabase(int factor);

/// Opens the database at `path`; throws on failure.
std::shared_ptr<KeloDBConnectionClass> ScaleOpen(const std::string& path);

/// Peak resident memory of this process so far, in megabytes.
double PeakResidentMegabytes();

// Moves 20 kelos spread over the buffer's kelo set to new starts, other ones each round: the
// changes the save benchmarks write.
void ShiftTwentyKelos(KeloDataPtrClass buffer, int& round);
