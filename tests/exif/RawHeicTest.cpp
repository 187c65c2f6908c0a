// HEIC and RAW files: the EXIF where each format keeps it, read by the same rules as a JPEG's,
// the previews found and decoded, damaged files bounded.
#include "ExifTestUtil.h"
#include "RawShapes.h"
#include "exif/Containers.h"
#include "pictures/PictureFile.h"
#include "platform/TempDir.h"

namespace kamelune::test {
namespace {

const std::string kSamples = KAMELUNE_SAMPLES;
const std::string kHeic = std::string(KAMELUNE_TEST_DATA) + "/heic";

ReadResult ReadAs(const std::string& bytes, ExifReadOptions options) {
    ReadResult r;
    FileKind kind = FileKind::Unread;
    r.ok = ReadExifMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), kind,
                          r.items, options, &r.bytesRead);
    r.kind = KindText(kind);
    return r;
}

std::vector<EmbeddedJpeg> Previews(const std::string& bytes, PictureFormat format) {
    ExifSource source;
    source.OpenMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return FindEmbeddedJpegs(source, format);
}

PictureFormat FormatOf(const std::string& bytes) {
    std::string head = bytes.substr(0, kFormatHeadBytes);
    head.resize(kFormatHeadBytes);
    return FormatOfHead(reinterpret_cast<const std::uint8_t*>(head.data()));
}

// Camera JPEGs of both byte orders, with maker notes (Olympus) and GPS.
const char* const kCameras[] = {"Canon_40D.jpg", "Fujifilm_FinePix_E500.jpg",
                                "exif-org/olympus-c960.jpg", "gps/DSCN0010.jpg"};

} // namespace

TEST(RawShapes, ReadAsTheirCameraJpeg) {
    for (const char* camera : kCameras) {
        const std::string jpeg = TempDir::Read(kSamples + "/" + camera);
        const ReadResult expected = ReadAs(jpeg, {true, false});
        ASSERT_EQ(expected.kind, "EXIF") << camera;
        for (const auto& [shape, ext] : AllRawShapes()) {
            const std::string raw = BuildRawShape(jpeg, shape);
            const ReadResult r = ReadAs(raw, {false, true});
            EXPECT_TRUE(r.ok) << camera << " " << ext;
            EXPECT_EQ(r.kind, "EXIF") << camera << " " << ext;
            for (int item = kItemImageDescription; item <= kAllItemCount; ++item) {
                if (item == kItemType || item == kItemFileSize) continue;
                EXPECT_EQ(r.items[item], expected.items[item])
                    << camera << " " << ext << " item " << item;
            }
            EXPECT_EQ(r.items.displayOrientation, expected.items.displayOrientation);
            // Without the option a RAW file is no JPEG, as any other file.
            EXPECT_EQ(ReadAs(raw, {}).kind, "Not JPEG") << ext;
        }
    }
}

TEST(RawShapes, PreviewsAndTheOneChosen) {
    const std::string jpeg = TempDir::Read(kSamples + "/Canon_40D.jpg");
    const std::string camera = CameraJpeg(jpeg);
    int w = 0, h = 0;
    ASSERT_TRUE(ReadJpegSizeMemory(reinterpret_cast<const std::uint8_t*>(camera.data()),
                                   camera.size(), w, h));
    for (const auto& [shape, ext] : AllRawShapes()) {
        const std::string raw = BuildRawShape(jpeg, shape);
        const std::vector<EmbeddedJpeg> previews = Previews(raw, FormatOf(raw));
        ASSERT_FALSE(previews.empty()) << ext;
        const EmbeddedJpeg* largest = ChoosePreview(previews, 0, 0, 0);
        ASSERT_NE(largest, nullptr);
        EXPECT_EQ(std::pair(largest->width, largest->height), std::pair(w, h)) << ext;
        EXPECT_EQ(raw.substr(largest->offset, largest->length), camera) << ext;
    }
    // The smallest that is large enough, else the largest.
    const std::vector<EmbeddedJpeg> sizes = {
        {0, 1, 160, 120}, {0, 2, 1620, 1080}, {0, 3, 640, 480}};
    EXPECT_EQ(ChoosePreview(sizes, 0, 0, 100)->length, 1u);
    EXPECT_EQ(ChoosePreview(sizes, 0, 0, 200)->length, 3u);
    EXPECT_EQ(ChoosePreview(sizes, 700, 500, 0)->length, 2u);
    EXPECT_EQ(ChoosePreview(sizes, 0, 0, 4000)->length, 2u);
    EXPECT_EQ(ChoosePreview({}, 0, 0, 0), nullptr);
}

// An ORF file whose one JPEG lies where Olympus keeps its preview: the CameraSettings directory of
// the maker note, offsets from the note's start (little-endian throughout).
std::string OlympusNoteOrf(const std::string& preview, const std::string& noteHead) {
    const auto le = [](std::uint32_t v, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += static_cast<char>(v >> (8 * i));
        return out;
    };
    const auto entry = [&](std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                           std::uint32_t value) {
        return le(tag, 2) + le(type, 2) + le(count, 4) + le(value, 4);
    };
    const auto directory = [&](const std::string& entries, int n) {
        return le(static_cast<std::uint32_t>(n), 2) + entries + le(0, 4);
    };
    const auto head = static_cast<std::uint32_t>(noteHead.size());
    const std::uint32_t settings = head + 18, start = settings + 30;
    const std::string note =
        noteHead + directory(entry(0x2020, 13, 1, settings), 1) +
        directory(entry(0x0101, 4, 1, start) + entry(0x0102, 4, 1, std::uint32_t(preview.size())),
                  2) +
        preview;
    return "IIRO" + le(8, 4) + directory(entry(0x8769, 4, 1, 26), 1) +
           directory(entry(0x927C, 7, static_cast<std::uint32_t>(note.size()), 44), 1) + note;
}

TEST(RawShapes, OlympusPreviewInTheMakerNote) {
    const std::string camera = CameraJpeg(TempDir::Read(kSamples + "/Olympus_C8080WZ.jpg"));
    TempDir dir;
    for (const std::string& head :
         {std::string("OLYMPUS\0II\3\0", 12), std::string("OM SYSTEM\0\0\0II\4\0", 16)}) {
        const std::string orf = OlympusNoteOrf(camera, head);
        const std::vector<EmbeddedJpeg> previews = Previews(orf, FormatOf(orf));
        ASSERT_EQ(previews.size(), 1u) << head;
        EXPECT_EQ(orf.substr(previews[0].offset, previews[0].length), camera);
        TempDir::Write(dir / "p.orf", orf);
        const JpegDecodeResult r = DecodePictureFile(dir / "p.orf");
        EXPECT_TRUE(r.ok) << r.error;
        EXPECT_EQ(std::pair(r.image.width, r.image.height),
                  std::pair(previews[0].width, previews[0].height));
    }
    // Another maker's note is not looked into.
    EXPECT_TRUE(Previews(OlympusNoteOrf(camera, std::string("Nikon\0\2\0\0\0II", 12)),
                         PictureFormat::TiffRaw)
                    .empty());
}

TEST(RawShapes, DamagedFilesEndTheirReadBounded) {
    const std::string jpeg = TempDir::Read(kSamples + "/Nikon_D70.jpg");
    for (const auto& [shape, ext] : AllRawShapes()) {
        const std::string raw = BuildRawShape(jpeg, shape);
        for (std::size_t cut = 0; cut < raw.size(); cut += 1 + cut / 8) {
            std::string damaged = raw.substr(0, cut);
            // Every fourth byte of the rest flipped: offsets that point anywhere.
            for (std::size_t k = cut; k < raw.size(); k += 4)
                damaged += static_cast<char>(raw[k] ^ 0x5A);
            const ReadResult r = ReadAs(damaged, {false, true});
            EXPECT_LT(r.bytesRead, 4u << 20) << ext << " cut at " << cut;
            for (const EmbeddedJpeg& p : Previews(damaged, FormatOf(damaged)))
                EXPECT_LE(p.offset + p.length, damaged.size()) << ext;
        }
    }
}

TEST(PictureFile, EveryFormatDecodes) {
    TempDir dir;
    const std::string jpeg = TempDir::Read(kSamples + "/Canon_40D.jpg");
    for (const auto& [shape, ext] : AllRawShapes()) {
        const std::string path = dir / (std::string("p.") + ext);
        TempDir::Write(path, BuildRawShape(jpeg, shape));
        const JpegDecodeResult r = DecodePictureFile(path);
        ASSERT_TRUE(r.ok) << ext << ": " << r.error;
        EXPECT_EQ(std::pair(r.image.width, r.image.height), std::pair(100, 68)) << ext;
        int w = 0, h = 0;
        EXPECT_TRUE(ReadPictureSize(path, w, h)) << ext;
        EXPECT_EQ(std::pair(w, h), std::pair(100, 68)) << ext;
    }
    // HEIC through libheif, turned by its own boxes: the EXIF orientation is not applied again.
    const std::pair<const char*, std::pair<int, int>> heic[] = {{"Canon_40D.heic", {100, 68}},
                                                                {"landscape_6.heic", {450, 600}}};
    for (const auto& [name, size] : heic) {
        const JpegDecodeResult r = DecodePictureFile(kHeic + "/" + name);
        ASSERT_TRUE(r.ok) << name << ": " << r.error;
        EXPECT_EQ(std::pair(r.image.width, r.image.height), size) << name;
    }
    const ReadResult turned = ReadAs(TempDir::Read(kHeic + "/landscape_6.heic"), {false, true});
    EXPECT_EQ(turned.items[kItemOrientation], "right,top");
    EXPECT_EQ(turned.items.displayOrientation, 0);
    // Damaged: the broken JPEG's placeholder message; a .jpg name keeps the JPEG path.
    TempDir::Write(dir / "broken.nef", "II*\0 not a RAW file");
    TempDir::Write(dir / "broken.heic", std::string("\0\0\0\x18"
                                                    "ftypheic",
                                                    12));
    for (const char* name : {"broken.nef", "broken.heic"})
        EXPECT_EQ(DecodePictureFile(dir / name).error.rfind("画像を読めません", 0), 0u) << name;
    TempDir::Write(dir / "raw.jpg", BuildRawShape(jpeg, RawShape::Dng));
    EXPECT_FALSE(DecodePictureFile(dir / "raw.jpg").ok);
}

} // namespace kamelune::test
