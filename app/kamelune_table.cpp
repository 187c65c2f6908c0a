// kamelune-table [--full] DIR: prints the base table that opening DIR builds, one line per
// picture, cells joined by TAB (UTF-8, LF).
#include "catalogue/BaseTable.h"
#include "catalogue/TableDump.h"
#include "platform/FileUtil.h"

#include <cstring>
#include <iostream>
#include <unistd.h>

using namespace kamelune;

int main(int argc, char** argv) {
    bool full = false;
    const char* dir = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--full") == 0)
            full = true;
        else if (!dir)
            dir = argv[i];
        else
            dir = nullptr, i = argc;
    }
    if (!dir) {
        std::cerr << "usage: kamelune-table [--full] DIR\n";
        return 2;
    }
    const std::string folder = dir;
    if (!DirectoryExists(folder) || ::access(folder.c_str(), R_OK | X_OK) != 0) {
        std::cerr << "kamelune-table: cannot read folder " << folder << "\n";
        return 2;
    }
    StringGrid base(kBaseCols, 1);
    ExifItemTexts record;
    const LimitFlags limits{!full, !full};
    MakeStrGridBase(folder, ListPictures(folder), base, limits, record);
    std::ios::sync_with_stdio(false);
    DumpGrid(base, std::cout);
    return std::cout.good() ? 0 : 1;
}
