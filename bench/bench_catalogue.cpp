// The catalogue's hot paths against reference tools, measured in the same run:
//  - kamelune-table over a folder of 2,000 camera pictures, against a bare reader on one thread
//    (open each file, read its first 64 KB, or its first 8 KB) and against exiftool and exiv2
//    asked for the same six items;
//  - WriteReducedJpeg on 12-megapixel pictures, against a bare 1/8-scale decode and vipsthumbnail.
#include "corpus.h"
#include "platform/Jpeg.h"
#include "thumbnails/PictureReduction.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

using namespace kamelune;

int main(int argc, char** argv) {
    const std::string samples = argc > 1 ? argv[1] : "tests/data/samples";
    const std::string build = argc > 2 ? argv[2] : "build/main";
    // Absolute: vipsthumbnail takes an output folder relative to each input's own.
    const std::string corpus =
        std::filesystem::absolute(build + "/../bench-corpus").lexically_normal();
    const std::string large =
        std::filesystem::absolute(build + "/../bench-large").lexically_normal();
    const auto files = bench::MakeCameraCorpus(samples, corpus, 2000);
    if (files.empty()) {
        std::fprintf(stderr, "no camera samples under %s\n", samples.c_str());
        return 2;
    }
    const std::string glob = "'" + corpus + "'/*.jpg";

    // Whole processes in turn, cache warm: the best of 15 rounds of each.
    const std::string bareReader = build + "/bench/bare_reader";
    const auto best = bench::BestOfEach(15, {{build + "/kamelune-table", corpus},
                                             {bareReader, corpus},
                                             {bareReader, "--bytes", "8192", corpus}});
    const double table = best[0], bareRead = best[1], bare8k = best[2];
    if (table < 0) {
        std::fprintf(stderr, "kamelune-table failed on %s\n", corpus.c_str());
        return 1;
    }
    const double exiftool = bench::TimeCommand(
        "exiftool -fast2 -s -T -Make -Model -DateTimeOriginal -ExposureTime -FNumber -ISO " + glob);
    const double exiv2 = bench::TimeCommand(
        "exiv2 -q -Pkv -K Exif.Image.Make -K Exif.Image.Model -K Exif.Photo.DateTimeOriginal "
        "-K Exif.Photo.ExposureTime -K Exif.Photo.FNumber -K Exif.Photo.ISOSpeedRatings " +
        glob);
    std::printf("kamelune-table, 2,000 files: %.1f ms\n", table * 1000);
    if (bareRead > 0)
        std::printf("  bare reader (open, first 64 KB): %.1f ms; ratio %.2f (target <= 1.0)\n",
                    bareRead * 1000, table / bareRead);
    if (bare8k > 0)
        std::printf("  bare reader (open, first 8 KB): %.1f ms; ratio %.2f (target <= 1.6)\n",
                    bare8k * 1000, table / bare8k);
    if (exiftool > 0)
        std::printf("  exiftool -fast2 -s -T: %.0f ms; ratio %.4f (target <= 0.01)\n",
                    exiftool * 1000, table / exiftool);
    if (exiv2 > 0)
        std::printf("  exiv2 -Pkv: %.0f ms; ratio %.3f (target <= 0.12)\n", exiv2 * 1000,
                    table / exiv2);

    // Thumbnails of 12-megapixel pictures.
    const int count = 8;
    const auto big = bench::MakeLargeCorpus(large, count);
    const std::string out = large + "/out";
    std::filesystem::create_directories(out);
    JpegDecodeOptions eighth;
    eighth.minWidth = eighth.minHeight = 1;
    // A figure counts only for work that succeeded.
    const auto must = [](const FileResult& r) {
        if (!r.ok) throw std::runtime_error(r.error);
    };
    for (const auto& f : big) // warm the cache
        must(DecodeJpegFile(f, eighth));
    double bare = 1e9, make = 1e9;
    for (int round = 0; round < 3; ++round) {
        bare = std::min(bare, bench::TimeSeconds([&] {
                            for (const auto& f : big)
                                must(DecodeJpegFile(f, eighth));
                        }));
        make = std::min(
            make, bench::TimeSeconds([&] {
                for (const auto& f : big)
                    must(WriteReducedJpeg(
                        f, out + "/T_" + std::filesystem::path(f).filename().string(), 70, 88));
            }));
    }
    std::string list;
    for (const auto& f : big)
        list += " '" + f + "'";
    double vips = 1e9;
    for (int round = 0; round < 3; ++round) {
        std::filesystem::remove(out + "/v_BIG_0001.jpg");
        const double t =
            bench::TimeCommand("vipsthumbnail --size 88 -o '" + out + "/v_%s.jpg'" + list);
        if (t < 0 || !std::filesystem::exists(out + "/v_BIG_0001.jpg")) {
            vips = -1;
            break;
        }
        vips = std::min(vips, t);
    }
    std::printf("WriteReducedJpeg, 4000x3000: %.1f ms per picture\n", make * 1000 / count);
    std::printf("  bare 1/8 decode: %.1f ms; ratio %.2f (target <= 1.15)\n", bare * 1000 / count,
                make / bare);
    if (vips > 0)
        std::printf("  vipsthumbnail --size 88: %.1f ms; ratio %.2f (target < 0.85)\n",
                    vips * 1000 / count, make / vips);
    return 0;
}
