// kamelune-table [--full] [--after-jfif] [--modern] [--all] DIR: prints the base table that opening
// DIR builds, one line per picture, cells joined by TAB (UTF-8, LF).
#include "catalogue/BaseTable.h"
#include "catalogue/TableDump.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

using namespace kamelune;

namespace {

// Why a folder cannot be listed, in the user's words; empty when it can.
std::string FolderProblem(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0)
        return errno == ENOENT ? "no such folder" : std::strerror(errno);
    if (!S_ISDIR(st.st_mode)) return "not a folder";
    if (::access(folder.c_str(), R_OK | X_OK) != 0)
        return errno == EACCES ? "permission denied" : std::strerror(errno);
    return {};
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
    if (const std::string why = FolderProblem(folder); !why.empty()) {
        std::cerr << "kamelune-table: cannot read folder " << folder << ": " << why << "\n";
        return 2;
    }
    const FolderScan scan =
        ScanFolder(folder, kPictureMasks,
                   {!full, !full, {afterJfif}, modern ? kAllItemCount : kItemCount, all});
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
