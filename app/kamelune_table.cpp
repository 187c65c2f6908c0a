// kamelune-table [--full] [--after-jfif] [--modern] [--all] [--raw-heic] [--count ITEM |
// --where COND] DIR: prints the base table that opening DIR builds, one line per picture, cells
// joined by TAB (UTF-8, LF); or how many pictures have each value of an item; or only the rows that
// meet conditions.
#include "catalogue/Conditions.h"
#include "catalogue/Distribution.h"
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
    bool full = false, afterJfif = false, modern = false, all = false, rawHeic = false;
    const char* dir = nullptr;
    const char* count = nullptr;
    const char* where = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout
                << "Usage: kamelune-table [--full] [--after-jfif] [--modern] [--all] [--raw-heic]\n"
                   "                      [--count ITEM | --where CONDITIONS] DIR\n"
                   "Prints the base table that opening DIR in Kamelune builds: one line per\n"
                   "picture, cells joined by TAB, UTF-8 (other bytes as \\xhh).\n"
                   "  --full         maker notes and user comments whole, not cut to 5 characters\n"
                   "  --after-jfif   also the EXIF block after a JFIF header\n"
                   "  --modern       also the items of today's cameras (76-95: lens, GPS, ...)\n"
                   "  --all          every picture, not the first 2,000\n"
                   "  --raw-heic     also the HEIC/HEIF and RAW files (*.heic, *.dng, *.cr2, "
                   "*.cr3,\n"
                   "                 *.nef, *.arw, *.orf, *.rw2, *.raf, ...)\n"
                   "  --count ITEM   how many pictures have each value (or range) of ITEM, as the\n"
                   "                 distribution window shows them: a title of the table, a\n"
                   "                 number, or a name of that window (露光時間, 撮影時刻(時), "
                   "...)\n"
                   "  --where COND   only the rows that meet COND, e.g. 'ISO>=400 AND "
                   "Model~Canon'\n"
                   "                 (= != ~ < <= > >=, between A and B, is empty; AND or OR)\n";
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
        else if (std::strcmp(argv[i], "--raw-heic") == 0)
            rawHeic = true;
        else if (std::strcmp(argv[i], "--count") == 0 && i + 1 < argc && !where)
            count = argv[++i];
        else if (std::strcmp(argv[i], "--where") == 0 && i + 1 < argc && !count)
            where = argv[++i];
        else if (!dir)
            dir = argv[i];
        else
            dir = nullptr, i = argc;
    }
    if (!dir) {
        std::cerr
            << "usage: kamelune-table [--full] [--after-jfif] [--modern] [--all] [--raw-heic] "
               "[--count ITEM | --where CONDITIONS] DIR\n";
        return 2;
    }
    const int items = modern ? kAllItemCount : kItemCount;
    std::optional<DistributionChoice> choice;
    if (count && !(choice = FindDistributionChoice(count, items))) {
        std::cerr << "kamelune-table: no such item: " << count << "\n";
        return 2;
    }
    ParsedConditions conditions;
    if (where && !(conditions = ParseConditions(where, items)).error.empty()) {
        std::cerr << "kamelune-table: " << conditions.error << "\n";
        return 2;
    }
    const std::string folder = dir;
    const FolderScan scan =
        ScanFolder(folder, kPictureMasks, {!full, !full, {afterJfif, rawHeic}, items, all});
    if (scan.counts.folderError) {
        std::cerr << "kamelune-table: cannot read folder " << folder << ": "
                  << FolderProblem(scan.counts.folderError) << "\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    PictureList pictures;
    for (int r = 1; r < scan.base.RowCount(); ++r)
        pictures.push_back(r);
    if (choice) {
        // Each bar's value (or range), its count and its share, as the window shows them.
        const Distribution d = CountValues(scan.base, *choice, pictures);
        for (const DistributionBar& bar : d.bars)
            std::cout << EscapeCell(bar.label) << "\t" << bar.pictures.size() << "\t"
                      << ShareText(bar, d) << "\n";
    } else if (where) {
        // The title row and the rows that meet the conditions, in the table's order.
        const PictureList rows = MatchingPictures(scan.base, conditions.set, pictures);
        StringGrid shown(scan.base.ColCount(), static_cast<int>(rows.size()) + 1);
        std::vector<std::string_view> cells;
        for (std::size_t k = 0; k <= rows.size(); ++k) {
            scan.base.RowCells(k == 0 ? 0 : rows[k - 1], cells);
            shown.SetRow(static_cast<int>(k), cells);
        }
        DumpGrid(shown, std::cout);
    } else {
        DumpGrid(scan.base, std::cout);
    }
    errno = 0;
    std::cout.flush();
    if (!std::cout.good()) {
        std::cerr << "kamelune-table: cannot write the table"
                  << (errno ? std::string(": ") + std::strerror(errno) : std::string()) << "\n";
        return 1;
    }
    return 0;
}
