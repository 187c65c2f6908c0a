// kamelune-table [--full] [--after-jfif] [--modern] [--all] DIR: prints the base table that opening
// DIR builds, one line per picture, cells joined by TAB (UTF-8, LF).
#include "catalogue/FolderScan.h"
#include "catalogue/TableDump.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

using namespace kamelune;

namespace {

// Why a folder could not be listed, in the user's words.
std::string FolderProblem(int error) {
    switch (error) {
    case ENOENT:
        return "no such folder";
    case ENOTDIR:
        return "not a folder";
    case EACCES:
        return "permission denied";
    default:
        return std::strerror(error);
    }
}

} // namespace

int main(int argc, char** argv) {
    bool full = false, afterJfif = false, modern = false, all = false;
    const char* dir = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout
                << "Usage: kamelune-table [--full] [--after-jfif] [--modern] [--all] DIR\n"
                   "Prints the base table that opening DIR in Kamelune builds: one line per\n"
                   "picture, cells joined by TAB, UTF-8 (other bytes as \\xhh).\n"
                   "  --full         maker notes and user comments whole, not cut to 5 characters\n"
                   "  --after-jfif   also the EXIF block after a JFIF header\n"
                   "  --modern       also the items of today's cameras (76-95: lens, GPS, ...)\n"
                   "  --all          every picture, not the first 2,000\n";
            return 0;
        }
        if (std::strcmp(argv[i], "--full") == 0)
            full = true;
        else if (std::strcmp(argv[i], "--after-jfif") == 0)
            afterJfif = true;
        else if (std::strcmp(argv[i], "--modern") == 0)
            modern = true;
        else if (std::strcmp(argv[i], "--all") == 0)
            all = true;
        else if (!dir)
            dir = argv[i];
        else
            dir = nullptr, i = argc;
    }
    if (!dir) {
        std::cerr << "usage: kamelune-table [--full] [--after-jfif] [--modern] [--all] DIR\n";
        return 2;
    }
    const std::string folder = dir;
    const FolderScan scan =
        ScanFolder(folder, kPictureMasks,
                   {!full, !full, {afterJfif}, modern ? kAllItemCount : kItemCount, all});
    if (scan.counts.folderError) {
        std::cerr << "kamelune-table: cannot read folder " << folder << ": "
                  << FolderProblem(scan.counts.folderError) << "\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    DumpGrid(scan.base, std::cout);
    errno = 0;
    std::cout.flush();
    if (!std::cout.good()) {
        std::cerr << "kamelune-table: cannot write the table"
                  << (errno ? std::string(": ") + std::strerror(errno) : std::string()) << "\n";
        return 1;
    }
    return 0;
}
