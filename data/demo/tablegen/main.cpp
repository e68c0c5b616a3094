// kelo_demo_tablegen TABLES_FOLDER OUTPUT_CPP
// Compiles the UTF-8 text tables of the demonstration data set into a C++ source of static
// Windows-1251 tables. Fails (exit status 1) with the file and line of the first fault.

#include "KeloDemoTableCompiler.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kelo_demo_tablegen TABLES_FOLDER OUTPUT_CPP\n";
        return 2;
    }
    try {
        const std::string source = WriteKeloDemoTablesSource(ReadKeloDemoTables(argv[1]));
        // Written beside the target and renamed, so a failed run leaves no half a file.
        const std::filesystem::path target = argv[2];
        std::filesystem::path partial = target;
        partial += ".partial";
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            out << source;
            if (!out.flush())
                throw KeloDemoTableError("cannot write " + partial.string());
        }
        std::filesystem::rename(partial, target);
    } catch (const std::exception& e) {
        std::cerr << "kelo_demo_tablegen: error: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
