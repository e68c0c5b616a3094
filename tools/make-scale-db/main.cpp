// make-scale-db N FILE: writes the scale data set at factor N into a new Kelo database.

#include "KeloScaleDBWrite.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    int factor = 0;
    try {
        if (argc == 3)
            factor = std::stoi(argv[1]);
    } catch (const std::exception&) {
        factor = 0;
    }
    if (argc != 3 || factor < 1 || factor > KeloScaleMaxFactor) {
        std::fprintf(stderr,
                     "Usage: make-scale-db N FILE\n"
                     "Writes N regions of the built-in network (1 <= N <= %d), joined at their\n"
                     "hubs, and a trunk line of 56 x N kelos into the new database FILE.\n",
                     KeloScaleMaxFactor);
        return 2;
    }
    try {
        KeloScaleDBWrite(MakeKeloScaleSet(KeloDemoBuiltInRoot(), factor), argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-scale-db: %s\n", error.what());
        return 1;
    }
    return 0;
}
