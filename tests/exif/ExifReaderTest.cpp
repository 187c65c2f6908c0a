// The segment scan and the directory walk: kinds, which items a walk stores, where it stops.
#include "ExifTestUtil.h"
#include "exif/ExifSource.h"
#include "platform/TempDir.h"

#include <chrono>
#include <functional>

namespace kamelune::test {

TiffLayout CameraLayout() {
    TiffLayout tiff;
    tiff.ifd0 = Entries("010F ascii Canon;0110 ascii Canon EOS 40D;0112 short 1;"
                        "0132 ascii 2008:05:30 15:56:01");
    tiff.exif = Entries("829A rational 1/160;829D rational 71/10;8827 short 100;"
                        "9000 undefined 0221;9003 ascii 2008:05:30 15:56:01;9209 short 9;"
                        "920A rational 135/1;A002 short 100;A003 short 68");
    return tiff;
}

// The camera file changed one way, and what the walk then makes of it.
struct WalkCase {
    const char* name;
    std::function<void(TiffLayout&)> change;
    const char* kind;
    std::vector<std::pair<int, std::string>> items;
    bool ok = true;
};

TEST_P(BothOrders, WalkStopsAndSkipsWhereItMust) {
    const std::string date = Nul("2008:05:30 15:56:01");
    const auto exifEntries = [](int n) {
        return [n](TiffLayout& t) {
            while (static_cast<int>(t.exif.size()) < n)
                t.exif.push_back(E("C100 short 1"));
        };
    };
    const WalkCase cases[] = {
        {"IFD0 value over 1,024 bytes: entries after it are not read",
         [](TiffLayout& t) {
             t.ifd0.insert(t.ifd0.begin() + 2, E("C000 undefined " + std::string(1025, 'x')));
         },
         "BADDATA",
         {{3, Nul("Canon")}, {5, "---"}, {18, "---"}}},
        {"value of exactly 1,024 bytes",
         [](TiffLayout& t) {
             t.ifd0.insert(t.ifd0.begin(), E("010E text " + std::string(1024, 'd')));
         },
         "EXIF",
         {{2, std::string(1024, 'd')}}},
        {"maker note over 1,024 bytes: no decoder runs",
         [](TiffLayout& t) {
             t.ifd0[0] = E("010F ascii OLYMPUS OPTICAL CO.,LTD");
             t.exif.push_back(MakerNote());
             t.makerNote = Note(std::string("OLYMP\0\1\0", 8),
                                {E("0201 short 2"), E("0F00 undefined " + std::string(2000, 'z'))});
         },
         "EXIF",
         {{37, "BADDATA"}, {59, "---"}, {42, "68"}}},
        {"EXIF directory of 300 entries", exifEntries(300), "EXIF", {{18, "1/160"}}},
        {"EXIF directory of 301 entries: IFD0 items stay",
         exifEntries(301),
         "Something bad",
         {{18, "---"}, {4, Nul("Canon EOS 40D")}}},
        {"no EXIF directory", [](TiffLayout& t) { t.exif.clear(); }, "EXIF", {}},
        {"no EXIF directory, any first marker read as APP1",
         [](TiffLayout& t) { t.exif.clear(), t.secondMarker = 0xDB; },
         "JPEG",
         {{4, Nul("Canon EOS 40D")}}},
        {"EXIF directory after another first marker",
         [](TiffLayout& t) { t.secondMarker = 0xDB; },
         "EXIF",
         {}},
        {"empty EXIF directory: at IFD0's zero next-directory offset",
         [](TiffLayout& t) {
             t.exif.clear(), t.secondMarker = 0xDB;
             t.ifd0.push_back(E("8769 raw 4 1 70") /* 8 + 2 + 12 × 5 */);
         },
         "EXIF",
         {{17, "70"}}},
        {"tags in the wrong directory are ignored",
         [](TiffLayout& t) {
             t.ifd0.push_back(E("9003 ascii 2001:01:01 00:00:00"));
             t.exif.push_back(E("0131 ascii Editor"));
         },
         "EXIF",
         {{23, date}, {9, "---"}}},
        {"date moved to IFD0",
         [](TiffLayout& t) {
             t.ifd0.push_back(E("9003 ascii 2001:01:01 00:00:00"));
             t.exif.erase(t.exif.begin() + 4);
         },
         "EXIF",
         {{23, "---"}}},
        {"the last EXIF pointer counts",
         [](TiffLayout& t) { t.ifd0.insert(t.ifd0.begin(), E("8769 raw 4 1 0x7FFF0000")); },
         "EXIF",
         {{18, "1/160"}}},
        {"offsets past the end read as zero",
         [](TiffLayout& t) {
             t.exif.push_back(E("A20E raw 5 1 0x00100000"));
             t.exif.push_back(E("9286 raw 7 8 0x00100000"));
         },
         "EXIF",
         {{45, "       0/       0"}, {38, std::string(8, '\0')}}},
        {"a negative position ends the read; the kind reached so far stays",
         [](TiffLayout& t) {
             t.exif.clear();
             t.ifd0.push_back(E("8769 raw 4 1 0xFFFFFF00"));
         },
         "EXIF",
         {{4, Nul("Canon EOS 40D")}},
         false},
    };
    for (const WalkCase& c : cases) {
        TiffLayout tiff = CameraLayout();
        c.change(tiff);
        const ReadResult r = ReadLayout(tiff, GetParam());
        EXPECT_EQ(r.ok, c.ok) << c.name;
        EXPECT_EQ(r.kind, c.kind) << c.name;
        for (const auto& [item, text] : c.items)
            EXPECT_EQ(r.items[item], text) << c.name << ", item " << item;
    }
}

TEST_P(BothOrders, EveryTruncationOfACameraFileIsSafe) {
    TiffLayout tiff = CameraLayout();
    tiff.ifd0[0] = E("010F ascii OLYMPUS");
    tiff.exif.push_back(MakerNote());
    tiff.makerNote = Note(std::string("OLYMP\0\1\0", 8), Entries("0200 long 3 5 1;0201 short 2"));
    const std::string full = BuildJpeg(tiff, GetParam());
    for (std::size_t n = 0; n <= full.size(); ++n) {
        const ReadResult r = ReadBytes(full.substr(0, n));
        EXPECT_TRUE(r.ok);
        EXPECT_FALSE(r.kind.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, BothOrders, ::testing::Values(Order::II, Order::MM), OrderName);

// Directories as large as their counts allow are read with bounded work: IFD0 of 65,535 entries,
// each a 1,024-byte value, reads each entry and value once; a maker note of 65,535 entries,
// pointed at once or by 300 entries, walks at most two notes' worth (the walks share one budget).
TEST(ExifWalk, LargestDirectoriesAreReadWithBoundedWork) {
    TiffLayout tiff;
    tiff.ifd0.assign(65535, E("C001 raw 7 1024 0"));
    ReadResult r = ReadBytes(BuildJpeg(tiff, Order::II));
    EXPECT_EQ(r.kind, "EXIF");
    EXPECT_LE(r.bytesRead, 65535u * (12 + 1024) + 65536);
    tiff.ifd0 = {E("010F text OLYM")};
    tiff.exif = {MakerNote(1024)};
    tiff.makerNote = Note(std::string(8, 'O'), std::vector<Entry>(65535, E("0201 short 2")));
    r = ReadBytes(BuildJpeg(tiff, Order::II));
    EXPECT_EQ(r.items[59], "HQ");
    const std::uint64_t once = r.bytesRead;
    EXPECT_GE(once, 65535u * 12);
    tiff.exif.assign(300, MakerNote(1024));
    r = ReadBytes(BuildJpeg(tiff, Order::II));
    EXPECT_EQ(r.items[59], "HQ");
    EXPECT_LE(r.bytesRead, 2 * once + 300 * 1024 + 65536);
}

// A file comes in pages read when first asked for, and a small cache that keeps the most recently
// used of them: each read gives its own bytes, in any order, also after its page was evicted, and
// only the pages asked for are read from the file.
TEST(ExifSource, ReadsThePagesAskedForAndNothingElse) {
    TempDir dir;
    std::string bytes(300000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    TempDir::Write(dir / "big.jpg", bytes);
    constexpr std::uint64_t page = ExifSource::kPageSize;
    ExifSource source;
    ASSERT_TRUE(source.OpenFile(dir / "big.jpg"));
    const std::string padded = bytes + std::string(8, '\0'); // past the end: zero
    const auto expectBytesAt = [&](std::uint64_t at) {
        char got[8];
        ASSERT_TRUE(source.ReadAt(at, reinterpret_cast<std::uint8_t*>(got), sizeof got));
        EXPECT_EQ(std::string(got, sizeof got), padded.substr(at, sizeof got)) << "at " << at;
    };
    expectBytesAt(100);
    expectBytesAt(2000);
    EXPECT_EQ(source.BytesLoaded(), page) << "two reads in the first page: one page read";
    expectBytesAt(page - 4); // across two pages
    EXPECT_EQ(source.BytesLoaded(), 2 * page);
    // More pages than the cache holds, then the first ones again.
    for (std::uint64_t k = 0; k < 2 * ExifSource::kSlots; ++k)
        expectBytesAt(70000 + k * 2 * page);
    for (const std::uint64_t at : {100u, 70000u, 299998u, 299999u, 300000u})
        expectBytesAt(at);
    // A file of less than a page reads only what it has.
    TempDir::Write(dir / "small.jpg", bytes.substr(0, 1000));
    ASSERT_TRUE(source.OpenFile(dir / "small.jpg"));
    char got[4];
    ASSERT_TRUE(source.ReadAt(990, reinterpret_cast<std::uint8_t*>(got), 4));
    EXPECT_EQ(source.BytesLoaded(), 1000u);
}

// File-level behaviour (kinds from the first bytes are cases in tests/data/texts.tsv): an EXIF
// block after a JFIF header, files that cannot be read.
TEST_P(BothOrders, ExifAfterAJfifHeaderIsReadOnlyWhenAskedFor) {
    TiffLayout tiff;
    tiff.ifd0 = Entries("010F ascii Maker;0110 ascii Model");
    tiff.exif = {E("829D rational 28/10")};
    const std::string exifFirst = BuildJpeg(tiff, GetParam());
    const std::string exifSegments = exifFirst.substr(2, exifFirst.size() - 4); // no SOI, EOI
    const std::string soi("\xFF\xD8", 2), eoi("\xFF\xD9", 2);
    // APP0 "JFIF" of 16 bytes; an APP1 that is not EXIF (as XMP is) of 9.
    const std::string jfif = std::string("\xFF\xE0\0\x10JFIF\0", 9) + std::string(9, '\1');
    const std::string xmp = std::string("\xFF\xE1\0\x09http:/", 10) + '\0';
    const std::string sos = std::string("\xFF\xDA\0\x02", 4);
    const struct {
        const char* name;
        std::string bytes;
        bool found;
    } cases[] = {
        {"right after", soi + jfif + exifSegments + eoi, true},
        {"after another APP1 and fill bytes", soi + jfif + xmp + "\xFF\xFF" + exifSegments + eoi,
         true},
        {"after the image data", soi + jfif + sos + exifSegments + eoi, false},
        {"none", soi + jfif + eoi, false},
        {"cut in the segment list", soi + jfif.substr(0, 8), false},
    };
    const ReadResult first = ReadBytes(exifFirst);
    ASSERT_EQ(first.kind, "EXIF");
    for (const auto& c : cases) {
        ReadResult plain = ReadBytes(c.bytes), after;
        FileKind afterKind = FileKind::Unread;
        after.ok = ReadExifMemory(reinterpret_cast<const std::uint8_t*>(c.bytes.data()),
                                  c.bytes.size(), afterKind, after.items, {true});
        EXPECT_EQ(plain.kind, "JFIF") << c.name;
        EXPECT_EQ(afterKind, c.found ? FileKind::Exif : FileKind::Jfif) << c.name;
        if (!c.found) continue;
        const TempDir dir;
        const std::string path = dir / "after.jpg";
        TempDir::Write(path, c.bytes);
        FileKind quick = FileKind::Unread;
        CheckJpegKind(path, quick, {true});
        EXPECT_EQ(quick, FileKind::Exif) << c.name;
        for (int k = 1; k <= kItemCount; ++k) {
            if (k != kItemFileSize) {
                EXPECT_EQ(after.items[k], first.items[k]) << c.name << " " << k;
            }
        }
    }
}

// A file whose first block is a JFIF header: its EXIF block is walked for the orientation alone
// (to show the picture upright), which stops where the whole walk of IFD0 would.
TEST_P(BothOrders, OrientationAfterAJfifHeaderIsReadForDisplayAlone) {
    const auto jfifFirst = [&](std::vector<Entry> ifd0) {
        TiffLayout tiff;
        tiff.ifd0 = std::move(ifd0);
        const std::string exif = BuildJpeg(tiff, GetParam());
        return std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11) + std::string(9, '\1') +
               exif.substr(2, exif.size() - 4) + "\xFF\xD9";
    };
    const Entry tooLong = E("C000 undefined " + std::string(1025, 'x'));
    for (int value = 0; value <= 9; ++value) {
        const ReadResult r = ReadBytes(jfifFirst({E("0112 short " + std::to_string(value))}));
        EXPECT_EQ(r.kind, "JFIF");
        EXPECT_EQ(r.items.displayOrientation, value >= 1 && value <= 8 ? value : 0) << value;
        EXPECT_EQ(r.items[kItemOrientation], kNoValue) << "the items are not read";
    }
    EXPECT_EQ(ReadBytes(jfifFirst({E("0112 short 6"), tooLong})).items.displayOrientation, 6);
    EXPECT_EQ(ReadBytes(jfifFirst({tooLong, E("0112 short 6")})).items.displayOrientation, 0);
}

TEST(ExifFile, FilesThatCannotBeReadChangeNothingElse) {
    const std::string missing = "/nonexistent/kamelune/x.jpg";
    FileKind kind = FileKind::Exif, quick = FileKind::Exif;
    ExifItemTexts items;
    items[4] = "old";
    EXPECT_FALSE(ReadExifFile(missing, kind, items));
    EXPECT_STREQ(KindText(kind), "X");
    EXPECT_EQ(items[4], "---");
    CheckJpegKind(missing, quick);
    EXPECT_STREQ(KindText(quick, true), "JPG?");
    kind = FileKind::Exif;
    EXPECT_FALSE(ReadExifFile(std::filesystem::temp_directory_path().string(), kind, items))
        << "a folder";
    EXPECT_EQ(kind, FileKind::Unread);
    kind = FileKind::BadData;
    items[4] = "kept";
    EXPECT_TRUE(ReadExifFile("", kind, items)) << "no name: nothing to do";
    CheckJpegKind("", kind);
    EXPECT_EQ(kind, FileKind::BadData);
    EXPECT_EQ(items[4], "kept");
}

} // namespace kamelune::test
