// Base table and EXIF table built from a folder.
#include "support/Plain.h"

namespace kamelune::test {

const fs::path kSamples = fs::path(KAMELUNE_SAMPLES);

// Three copies: EXIF, JFIF (no EXIF read), EXIF.
void ThreePictures(const TempDir& dir) {
    fs::copy_file(kSamples / "exif-org/olympus-c960.jpg", dir / "a.jpg");
    fs::copy_file(kSamples / "Canon_40D.jpg", dir / "b.JPG");
    fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", dir / "c.jpeg");
    TempDir::Write(dir / "notes.txt", "not a picture");
}

struct Built {
    StringGrid base{kBaseCols, 1};
    StringGrid items{4, kItemRows};
    PictureList order;
    FolderCounts counts;
};

Built Build(const std::string& folder, ReadFlags limits = {}) {
    Built b;
    FolderScan scan;
    ReadFolder(folder, ListPictures(folder), scan, limits);
    b.base = std::move(scan.base);
    b.counts = scan.counts;
    SetUpItemGrid(b.items);
    SetDefaultHeadings(b.items);
    return b;
}

TEST(BaseTable, FolderOfThreeWithoutExifInTheMiddle) {
    ASSERT_TRUE(fs::exists(kSamples)) << "test pictures missing: " << kSamples;
    TempDir dir;
    ThreePictures(dir);
    Built b = Build(dir.str());
    EXPECT_EQ(CounterText(b.counts), "2/3");
    StringGrid view(1, 1);
    MakeViewOfChosenItems({b.base, b.items, b.order}, {4, 10}, view, true);
    ASSERT_EQ(view.RowCount(), 3);
    EXPECT_EQ(view.RowTexts(0),
              (std::vector<std::string>{"No", "選択", "ファイル名", "機種", "日"}));
    EXPECT_EQ(view.Cell(0, 2), "    3");
    EXPECT_EQ(view.Cell(4, 2), b.base.Cell(11, 3));
}

TEST(BaseTable, RowOrderAndFilterTogether) {
    StringGrid base(kBaseCols, 1);
    SetTitleRow(base, 4);
    for (int r = 1; r <= 3; ++r) {
        base.SetCell(0, r, "    " + std::to_string(r));
        base.SetCell(kTypeCol, r, r == 2 ? "JFIF" : "EXIF");
    }
    StringGrid items(4, kItemRows);
    SetUpItemGrid(items);
    const std::vector<int> order{3, 1, 2};
    const ViewSource src{base, items, order};
    StringGrid view(1, 1);
    MakeViewOfChosenItems(src, {}, view, false);
    ASSERT_EQ(view.RowCount(), 4);
    EXPECT_EQ(view.Cell(0, 1), "    3");
    EXPECT_EQ(view.Cell(0, 3), "    2");
    MakeViewOfChosenItems(src, {}, view, true);
    ASSERT_EQ(view.RowCount(), 3);
    EXPECT_EQ(view.Cell(0, 1), "    3");
    EXPECT_EQ(view.Cell(0, 2), "    1");
    // A second build on a smaller view leaves nothing of the first behind.
    EXPECT_EQ(view.Cell(0, 3), "");
}

TEST(BaseTable, CopyOfTheWholeBaseWithFilterLeavesFilteredRowsEmpty) {
    StringGrid base(kBaseCols, 1);
    SetTitleRow(base, 3);
    base.SetCell(2, 1, "a.jpg"), base.SetCell(kTypeCol, 1, "JFIF");
    base.SetCell(2, 2, "b.jpg"), base.SetCell(kTypeCol, 2, "EXIF");
    StringGrid items(4, kItemRows);
    const PictureList order;
    StringGrid view(1, 1);
    view.SetRowCount(3);
    view.SetColCount(3);
    view.SetCell(2, 1, "stale");
    FillExifTable("ALL", {base, items, order}, {}, view, true);
    EXPECT_EQ(view.ColCount(), kBaseCols);
    EXPECT_EQ(view.RowCount(), 3);
    EXPECT_EQ(view.Cell(2, 1), "");
    EXPECT_EQ(view.Cell(2, 2), "b.jpg");
    EXPECT_EQ(view.Cell(0, 0), "No");
    EXPECT_EQ(view.FixedRows(), 1);
}

TEST(BaseTable, LimitsCutMakerNoteAndUserCommentToFiveCharacters) {
    ExifItemTexts items;
    items[37] = "OLYMPUS\1\2";
    items[38] = std::string("ASCII\0\0\0hello", 13);
    items[4] = "ニコンE990です";
    StringGrid base(kBaseCols, 1);
    SetTitleRow(base, 2);
    WriteParaToGrid(base, 1, "a.jpg", FileKind::Exif, items, {true, true});
    EXPECT_EQ(base.Cell(38, 1), "OLYMP");
    EXPECT_EQ(base.Cell(39, 1), "ASCII");
    EXPECT_EQ(base.Cell(5, 1), "ニコンE990です");
    WriteParaToGrid(base, 1, "a.jpg", FileKind::Exif, items, {false, true});
    EXPECT_EQ(base.Cell(38, 1), "OLYMPUS\1\2");
}

TEST(BaseTable, PicturesAreSortedIgnoringCaseAndMasked) {
    TempDir dir;
    // Letters compared as lower case, other bytes as they are; names the same but for case in
    // byte order; a name that is the start of another first.
    for (const char* name : {"b.jpg", "A.JPG", "a.jpg", "c.Jpeg", "d.png", "e.jpg.HID", ".jpg",
                             "a1.JPG", "_x.jpg", "\xC3\xA4.jpg", "B.jpeg"})
        TempDir::Write(dir / name, "x");
    fs::create_directory(dir / "f.jpg");
    EXPECT_EQ(ListPictures(dir.str()),
              (std::vector<std::string>{".jpg", "_x.jpg", "A.JPG", "a.jpg", "a1.JPG", "B.jpeg",
                                        "b.jpg", "c.Jpeg", "\xC3\xA4.jpg"}));
    EXPECT_TRUE(ListPictures(dir / "missing").empty());
}

TEST(BaseTable, AtMostTwoThousandRowsButEveryFileCounted) {
    TempDir dir;
    const std::string exif("\xFF\xD8\xFF\xE1\0\0", 6);
    for (int i = 0; i < 2001; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "p%04d.jpg", i);
        TempDir::Write(dir / name, exif);
    }
    Built b = Build(dir.str());
    EXPECT_EQ(b.counts.fileCount, 2001);
    EXPECT_EQ(b.counts.pictureCount, 2000);
    EXPECT_EQ(CounterText(b.counts), "2001/2000");
    EXPECT_EQ(b.base.RowCount(), 2001);
    EXPECT_EQ(b.base.Cell(2, 2000), "p1999.jpg");
    ReadFlags all;
    all.allPictures = true;
    const Built every = Build(dir.str(), all);
    EXPECT_EQ(CounterText(every.counts), "2001/2001");
    EXPECT_EQ(every.base.Cell(0, 2001), " 2001");
    EXPECT_EQ(every.base.Cell(2, 2001), "p2000.jpg");
}

TEST(BaseTable, UnreadableAndVanishedFilesAreRowsNotAborts) {
    TempDir dir;
    TempDir::Write(dir / "a.jpg", std::string("\xFF\xD8\xFF\xE1\0\0", 6));
    TempDir::Write(dir / "b.jpg", "");
    const auto files = ListPictures(dir.str());
    fs::remove(dir / "a.jpg");
    FolderScan scan;
    ReadFolder(dir.str(), files, scan, {});
    const StringGrid& base = scan.base;
    const FolderCounts& counts = scan.counts;
    EXPECT_EQ(counts.pictureCount, 2);
    EXPECT_EQ(base.Cell(kTypeCol, 1), "X");
    EXPECT_EQ(base.Cell(kTypeCol, 2), "Not JPEG");
    EXPECT_EQ(base.Cell(55, 2), "0kb");
}

TEST(BaseTable, EmptyFolderLeavesOnlyTheTitles) {
    TempDir dir;
    Built b = Build(dir.str());
    EXPECT_EQ(CounterText(b.counts), "0/0");
    EXPECT_EQ(b.base.RowCount(), 1);
    EXPECT_EQ(b.base.Cell(2, 0), "[Filename]");
}

// A read on its own thread, stopped while a slowed folder is read: it ends before the next file
// and says it was cut short, with no view made; run whole, it gives what the plain build gives,
// and the view it was asked for is the view of that table.
TEST(FolderRead, StopEndsTheReadBetweenTwoFiles) {
    TempDir dir;
    fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", dir / "p100.jpg");
    for (int i = 1; i < 200; ++i) // enough files for the read to take several threads
        fs::create_hard_link(dir / "p100.jpg", dir / ("p" + std::to_string(100 + i) + ".jpg"));
    std::promise<void> ended;
    std::atomic<int> reached{0};
    ViewRecipe recipe{"TABLE", StringGrid(4, kItemRows), {4, 10}, {}, true};
    SetUpItemGrid(recipe.itemGrid);
    SetDefaultHeadings(recipe.itemGrid);
    FolderRead read(
        {dir.str(), kPictureMasks, {}, std::chrono::milliseconds(2), recipe},
        [&](int n) { reached = std::max(reached.load(), n); }, [&] { ended.set_value(); });
    while (reached < 3)
        std::this_thread::yield();
    read.Stop();
    ended.get_future().wait();
    const FolderScan& cut = read.Result();
    EXPECT_TRUE(cut.counts.stopped);
    EXPECT_LT(reached.load(), 200);
    EXPECT_EQ(cut.base.Cell(kNameCol, reached), "p" + std::to_string(99 + reached) + ".jpg")
        << "a file begun is read to its end";
    EXPECT_EQ(cut.base.Cell(kNameCol, 200), "") << "no row past the stop";
    EXPECT_FALSE(cut.view);

    std::promise<void> whole;
    FolderRead again({dir.str(), kPictureMasks, {}, {}, recipe}, {}, [&] { whole.set_value(); });
    whole.get_future().wait();
    EXPECT_FALSE(again.Result().counts.stopped);
    EXPECT_EQ(CounterText(again.Result().counts), "200/200");
    std::ostringstream threaded, plain;
    DumpGrid(again.Result().base, threaded);
    DumpGrid(Build(dir.str()).base, plain);
    EXPECT_EQ(threaded.str(), plain.str());
    ASSERT_TRUE(again.Result().view);
    StringGrid view(1, 1);
    recipe.Make(again.Result().base, view);
    EXPECT_EQ(view.RowCount(), 201);
    EXPECT_TRUE(again.Result().view->SameCells(view));
}

TEST(TableDump, EscapesControlCharactersAndBytesThatAreNotUtf8) {
    const struct {
        std::string in, out;
    } cases[] = {
        {std::string("a\\b\tc\nd\re\0f\x01\x7Fg", 14), "a\\\\b\\tc\\nd\\re\\0f\\x01\\x7fg"},
        {"日本 é \xF0\x9F\x93\xB7", "日本 é \xF0\x9F\x93\xB7"},
        {"\x83J\x83\x81.jpg", "\\x83J\\x83\\x81.jpg"}, // a CP932 name on disk
        {"\xC3", "\\xc3"},                             // cut short at the end
        {"\xC0\xAF", "\\xc0\\xaf"},                    // overlong "/"
        {"\xED\xA0\x80", "\\xed\\xa0\\x80"},           // a surrogate
        {"\xF4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},  // past U+10FFFF
        {"\xE6\x97x", "\\xe6\\x97x"},                  // a continuation byte missing
    };
    for (const auto& c : cases)
        EXPECT_EQ(EscapeCell(c.in), c.out) << c.in;
}

} // namespace kamelune::test
