// HEIC and RAW files against the least their work can cost, measured in the same run:
//  - kamelune-table --raw-heic over 2,000 RAW files and over 2,000 HEIC files, against a bare
//    reader that opens each file and reads the 4 KB pages holding its head and its EXIF block;
//  - the thumbnail of a RAW file (its 4000x3000 preview), against a bare 1/8-scale decode of that
//    preview as a JPEG file of its own;
//  - the thumbnail of a 4000x3000 HEIC file, against a bare libheif decode of the same file and
//    heif-thumbnailer.
#include "corpus.h"
#include "exif/Containers.h"
#include "exif/RawShapes.h"
#include "pictures/PictureFile.h"
#include "platform/FileUtil.h"
#include "thumbnails/PictureReduction.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <libheif/heif.h>
#include <set>
#include <stdexcept>

using namespace kamelune;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& path) {
    std::string bytes;
    if (const FileResult r = ReadWholeFile(path, bytes); !r) throw std::runtime_error(r.error);
    return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes) {
    if (const FileResult r = WriteFileAtomically(path, bytes); !r)
        throw std::runtime_error(r.error);
}

// "NAME OFFSET..." for each file: the pages the EXIF reader needs besides the first.
std::string PageList(const std::vector<std::string>& files) {
    std::string list;
    for (const std::string& f : files) {
        const std::string bytes = ReadAll(f);
        ExifSource source;
        source.OpenMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        TiffStream s(source);
        std::uint8_t head[kFormatHeadBytes] = {};
        s.ReadAt(0, head, sizeof head);
        const ExifLocation where = LocateExif(s, FormatOfHead(head));
        list += fs::path(f).filename().string();
        for (const std::int64_t at : {where.ifd0Tiff, where.exifTiff, where.gpsTiff,
                                      static_cast<std::int64_t>(where.jpegOffset)})
            if (at > 0) list += " " + std::to_string(at);
        list += "\n";
    }
    return list;
}

// The table tool against the bare reader over one folder.
void TableRead(const std::string& build, const std::string& what, const std::string& dir,
               const std::vector<std::string>& files) {
    const std::string list = dir + ".pages";
    WriteAll(list, PageList(files));
    const auto best = bench::BestOfEach(15, {{build + "/kamelune-table", "--raw-heic", dir},
                                             {build + "/bench/bare_reader", "--pages", list, dir}});
    if (best[0] < 0 || best[1] < 0) throw std::runtime_error("a table read failed on " + dir);
    std::printf("kamelune-table --raw-heic, 2,000 %s files: %.1f ms\n", what.c_str(),
                best[0] * 1000);
    std::printf("  bare reader (open, the head's and the EXIF block's pages): %.1f ms; ratio %.2f "
                "(target <= 1.5)\n",
                best[1] * 1000, best[0] / best[1]);
}

double Best(int rounds, const std::function<void()>& fn) {
    double best = 1e9;
    for (int i = 0; i < rounds; ++i)
        best = std::min(best, bench::TimeSeconds(fn));
    return best;
}

void Must(const FileResult& r) {
    if (!r.ok) throw std::runtime_error(r.error);
}

// libheif alone: the file read and its primary image decoded to RGB.
void BareHeifDecode(const std::string& path) {
    heif_context* context = heif_context_alloc();
    heif_image_handle* handle = nullptr;
    heif_image* image = nullptr;
    bool ok =
        heif_context_read_from_file(context, path.c_str(), nullptr).code == heif_error_Ok &&
        heif_context_get_primary_image_handle(context, &handle).code == heif_error_Ok &&
        heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr)
                .code == heif_error_Ok;
    if (image) heif_image_release(image);
    if (handle) heif_image_handle_release(handle);
    heif_context_free(context);
    if (!ok) throw std::runtime_error("libheif could not decode " + path);
}

} // namespace

int main(int argc, char** argv) try {
    const std::string samples = argc > 1 ? argv[1] : "tests/data/samples";
    const std::string build = fs::absolute(argc > 2 ? argv[2] : "build/main").lexically_normal();
    const std::string heicData = fs::path(samples).parent_path() / "heic";
    const std::string root = fs::absolute(build + "/../bench-raw-heic").lexically_normal();

    // 2,000 RAW files of every layout from the camera samples, and 2,000 HEIC files.
    std::vector<std::string> cameras;
    for (const std::string& f : bench::CameraSamples(samples))
        if (!test::BuildRawShape(ReadAll(f), test::RawShape::Dng).empty()) cameras.push_back(f);
    std::vector<std::string> heics;
    for (const auto& e : fs::directory_iterator(heicData))
        if (e.path().extension() == ".heic") heics.push_back(e.path().string());
    std::sort(heics.begin(), heics.end());
    if (cameras.empty() || heics.empty()) throw std::runtime_error("no samples");
    std::vector<std::string> raws, phones;
    fs::create_directories(root + "/raw");
    fs::create_directories(root + "/heic");
    const auto& shapes = test::AllRawShapes();
    for (int i = 0; i < 2000; ++i) {
        char name[32];
        const auto& shape = shapes[static_cast<std::size_t>(i) % shapes.size()];
        std::snprintf(name, sizeof name, "RAW_%05d.%s", i + 1, shape.extension);
        raws.push_back(root + "/raw/" + name);
        if (!fs::exists(raws.back()))
            WriteAll(raws.back(),
                     test::BuildRawShape(ReadAll(cameras[i % cameras.size()]), shape.shape));
        std::snprintf(name, sizeof name, "IMG_%05d.heic", i + 1);
        phones.push_back(root + "/heic/" + name);
        if (!fs::exists(phones.back())) fs::copy_file(heics[i % heics.size()], phones.back());
    }
    TableRead(build, "RAW", root + "/raw", raws);
    TableRead(build, "HEIC", root + "/heic", phones);

    // A RAW file whose preview is a 4000x3000 picture, in three layouts.
    const std::string big = bench::MakeLargeCorpus(root + "/large", 1).front();
    const std::string preview = ReadAll(big);
    const std::string camera = ReadAll(samples + "/Canon_40D.jpg");
    std::vector<std::string> bigRaws;
    for (const auto& [shape, ext] : {std::pair{test::RawShape::Cr2, "cr2"},
                                     {test::RawShape::Nef, "nef"},
                                     {test::RawShape::Cr3, "cr3"}}) {
        bigRaws.push_back(root + "/large/BIG." + ext);
        if (!fs::exists(bigRaws.back()))
            WriteAll(bigRaws.back(), test::BuildRawShape(camera, shape, preview));
    }
    JpegDecodeOptions eighth;
    eighth.minWidth = eighth.minHeight = 1;
    const std::string out = root + "/large/out";
    fs::create_directories(out);
    const auto thumbnail = [&](const std::string& f) {
        Must(WriteReducedJpeg(f, out + "/T_" + fs::path(f).filename().string(), 70, 88));
    };
    for (const std::string& f : bigRaws)
        thumbnail(f); // warm the cache
    const double bare = Best(5, [&] { Must(DecodeJpegFile(big, eighth)); });
    const double made = Best(5,
                             [&] {
                                 for (const std::string& f : bigRaws)
                                     thumbnail(f);
                             }) /
                        static_cast<double>(bigRaws.size());
    std::printf("thumbnail of a RAW file's 4000x3000 preview: %.1f ms\n", made * 1000);
    std::printf("  bare 1/8 decode of the preview as a JPEG file: %.1f ms; ratio %.2f "
                "(target <= 1.15)\n",
                bare * 1000, made / bare);

    // A 4000x3000 HEIC file, made once with heif-enc.
    const std::string bigHeic = root + "/large/BIG.heic";
    if (!fs::exists(bigHeic) &&
        bench::TimeCommand("heif-enc -q 60 '" + big + "' -o '" + bigHeic + "'") < 0)
        fs::remove(bigHeic);
    if (!fs::exists(bigHeic)) {
        std::printf("HEIC thumbnail: heif-enc not available\n");
        return 0;
    }
    thumbnail(bigHeic);
    // In turn, best of five: libheif's own threads make single runs vary by a tenth.
    double heifBare = 1e9, heifMade = 1e9;
    for (int round = 0; round < 5; ++round) {
        heifBare = std::min(heifBare, bench::TimeSeconds([&] { BareHeifDecode(bigHeic); }));
        heifMade = std::min(heifMade, bench::TimeSeconds([&] { thumbnail(bigHeic); }));
    }
    const double thumbnailer = bench::BestOfEach(
        3, {{"/usr/bin/heif-thumbnailer", "-s", "88", bigHeic, out + "/h.png"}})[0];
    std::printf("thumbnail of a 4000x3000 HEIC file: %.1f ms\n", heifMade * 1000);
    std::printf("  bare libheif decode of the same file: %.1f ms; ratio %.2f (target <= 1.2)\n",
                heifBare * 1000, heifMade / heifBare);
    if (thumbnailer > 0)
        std::printf("  heif-thumbnailer -s 88: %.1f ms; ratio %.2f (target <= 1.2)\n",
                    thumbnailer * 1000, heifMade / thumbnailer);
    else
        std::printf("  heif-thumbnailer: not available\n");
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "bench_raw_heic: %s\n", e.what());
    return 1;
}
