// make-city-feed DIR [SEED]: writes the synthetic city bus feed into the folder DIR.

#include "KeloCityFeed.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "Usage: make-city-feed DIR [SEED]\n"
                             "Writes a GTFS feed of about 10,000 bus trips on 200 city routes\n"
                             "into the folder DIR; the same SEED writes the same feed.\n");
        return 2;
    }
    try {
        const std::uint32_t seed = argc == 3 ? std::uint32_t(std::stoul(argv[2])) : 1;
        const KeloCityFeedSummaryType summary = WriteKeloCityFeed(argv[1], seed);
        std::printf("%d routes, %d stops, %d trips, %lld stop times; busiest line: kelo %s\n",
                    summary.routes, summary.stops, summary.trips,
                    static_cast<long long>(summary.stopTimes), summary.busiestKelo.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-city-feed: %s\n", error.what());
        return 1;
    }
    return 0;
}
