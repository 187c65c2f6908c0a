// The HTML pages line for line, their escaping, image sizes, and the TAB text.
#include "exif/RawShapes.h"
#include "support/Plain.h"

namespace kamelune::test {

std::vector<HtmlPicture> SevenPictures(int items) {
    std::vector<HtmlPicture> pictures;
    for (int i = 1; i <= 7; ++i) {
        HtmlPicture p{"DSC0000" + std::to_string(i) + ".JPG", 100, i % 2 ? 66 : 75, {}};
        for (int k = 0; k < items; ++k)
            p.values.push_back(k == 1 && i == 3 ? "" : "v" + std::to_string(i) + std::to_string(k));
        pictures.push_back(p);
    }
    return pictures;
}

// Compares with a golden file in the page's own bytes (CP932, CR LF).
void ExpectGolden(const std::vector<std::string>& lines, const std::string& golden) {
    TempDir dir;
    ASSERT_TRUE(WriteTextLines(dir / "page.html", lines, Unmappable::HtmlReference));
    const std::string expected = TempDir::Read(KAMELUNE_TEST_DATA "/" + golden);
    ASSERT_FALSE(expected.empty()) << golden;
    EXPECT_EQ(TempDir::Read(dir / "page.html"), expected) << golden;
}

TEST(AlbumPage, BelowImagesSevenPicturesInFiveColumns) {
    AlbumSettings s;
    s.base = "旅行";
    s.position = ExifPosition::Below;
    s.link = true;
    const auto lines = AlbumPageLines(s, SevenPictures(2), {"機種", ""});
    ExpectGolden(lines, "album-below.html");
}

TEST(AlbumPage, RightOfImagesWithOneItem) {
    AlbumSettings s;
    s.base = "one";
    s.position = ExifPosition::Right;
    s.align = "center";
    s.border = 2;
    const auto lines = AlbumPageLines(s, SevenPictures(1), {"F値"});
    ExpectGolden(lines, "album-right.html");
}

TEST(AlbumPage, RightOfImagesClosesItemRowsOnce) {
    AlbumSettings s;
    s.position = ExifPosition::Right;
    const auto lines = AlbumPageLines(s, SevenPictures(3), {"a", "b", "c"});
    // Per grid row: <tr> of the first row, of items 2 and 3; </tr> after row 1 and once at the end.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "<tr>"), 2 * 3);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "</tr>"), 2 * 2);
}

TEST(TablePage, LinesAndWidths) {
    const auto pictures = SevenPictures(9);
    const std::vector<std::string> titles(9, "T");
    auto lines = TablePageLines({true, false}, pictures, titles);
    EXPECT_NE(lines[17].find("width=\"8%\""), std::string::npos) << "90 div 11";
    lines = TablePageLines({false, true}, pictures, titles);
    EXPECT_NE(lines[17].find("width=\"9%\""), std::string::npos) << "90 div 10";
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(),
                      [](const std::string& l) { return l.find("<img") != std::string::npos; }),
        0)
        << "no image column without thumbnails, links or not";
    ExpectGolden(TablePageLines({true, true}, SevenPictures(2), {"機種", "日<時>"}), "table.html");
}

// Every phase over a good picture, its RAW twin and a file that is none: the images made (or
// copied; the RAW file's always JPEG, under a name of its own), the page written with the good
// picture's size, every failure named once per phase.
TEST(ExportRun, ImagesAndPageWithAPictureThatIsNone) {
    namespace fs = std::filesystem;
    TempDir dir;
    fs::create_directories(dir / "out");
    fs::copy_file(KAMELUNE_SAMPLES "/exif-org/olympus-c960.jpg", dir / "good.jpg");
    TempDir::Write(dir / "bad.jpg", "not a picture");
    TempDir::Write(dir / "good.cr2", BuildRawShape(TempDir::Read(dir / "good.jpg"), RawShape::Cr2));
    for (const bool copy : {false, true}) {
        ExportRun run;
        run.source = dir.str();
        run.folder = dir / "out";
        run.pictures = {{"good.jpg", 0, 0, {}}, {"bad.jpg", 0, 0, {}}, {"good.cr2", 0, 0, {}}};
        run.small = {true, 88, false, 75};
        run.large = {true, 200, copy, 75};
        run.pageSize = 88;
        run.pagePath = dir / "out/t.html";
        run.album = false;
        run.tableSettings = {true, true};
        ExportProgress progress;
        const std::vector<std::string> failures = RunExport(run, progress);
        ASSERT_EQ(failures.size(), copy ? 2u : 3u) << copy;
        EXPECT_EQ(failures.front().rfind(ImageFileName(false, "bad.jpg") + ": ", 0), 0u);
        EXPECT_EQ(failures.back(), "画像の大きさが読めません: " + (dir / "bad.jpg"));
        int w = 0, h = 0;
        ASSERT_TRUE(ReadJpegSize(dir / ("out/" + ImageFileName(false, "good.jpg")), w, h));
        EXPECT_EQ(std::max(w, h), 88);
        ASSERT_TRUE(ReadJpegSize(dir / ("out/" + ImageFileName(true, "good.jpg")), w, h));
        EXPECT_EQ(std::max(w, h), copy ? 640 : 200) << "a copy keeps the picture's own size";
        for (const bool large : {false, true}) {
            ASSERT_EQ(ImageFileName(large, "good.cr2"),
                      large ? "L_good.cr2.JPG" : "S_good.cr2.JPG");
            ASSERT_TRUE(ReadJpegSize(dir / ("out/" + ImageFileName(large, "good.cr2")), w, h));
            EXPECT_EQ(std::max(w, h), large ? (copy ? 640 : 200) : 88) << large << copy;
        }
        EXPECT_EQ(fs::exists(dir / ("out/" + ImageFileName(true, "bad.jpg"))), copy)
            << "a copy is byte for byte; a reduction of nothing is not written";
        const std::string page = TempDir::Read(dir / "out/t.html");
        EXPECT_NE(page.find(ImageFileName(false, "good.jpg") + "\" width=\"88\" height=\"66\""),
                  std::string::npos)
            << "the good picture at its display size";
        fs::remove_all(dir / "out");
        fs::create_directories(dir / "out");
    }
}

TEST(HtmlEscaping, TextsAndFileNames) {
    EXPECT_EQ(ExifTextLines({"a.jpg", 0, 0, {"v1", ""}}, {"", "機種"}),
              (std::vector<std::string>{": v1", "機種: "}));
    // Characters CP932 cannot hold become references in the page.
    TempDir dir;
    ASSERT_TRUE(WriteTextLines(dir / "p.html", {HtmlText("café ❤")}, Unmappable::HtmlReference));
    EXPECT_EQ(TempDir::Read(dir / "p.html"), "caf&#233; &#10084;\r\n");
}

TEST(ImageFiles, ReducedAndThumbnailSizes) {
    const struct {
        int w, h, size, tw, th;
    } cases[] = {
        {3000, 2000, 100, 100, 66}, {1200, 1600, 400, 300, 400}, {320, 240, 400, 400, 300}};
    TempDir dir;
    for (const auto& c : cases) {
        WritePicture(dir / "src.jpg", c.w, c.h);
        ASSERT_TRUE(WriteReducedJpeg(dir / "src.jpg", dir / "out.jpg", 50, c.size).ok);
        const JpegDecodeResult out = DecodeJpegFile(dir / "out.jpg");
        EXPECT_EQ(out.image.width, c.tw) << c.w << "x" << c.h << "@" << c.size;
        EXPECT_EQ(out.image.height, c.th) << c.w << "x" << c.h << "@" << c.size;
        int w = 0, h = 0;
        ASSERT_TRUE(ReadJpegSize(dir / "src.jpg", w, h));
        const StretchSizes s = ComputeStretchSizes(w, h, c.size);
        EXPECT_EQ(s.w, c.tw);
        EXPECT_EQ(s.h, c.th);
    }
    EXPECT_EQ(ComputeStretchSizes(3000, 2000, 100).w1, 640);
    EXPECT_EQ(ComputeStretchSizes(3000, 2000, 100).h1, 426);
}

TEST(TabText, WideAndTallFilesByteForByte) {
    StringGrid base(kBaseCols, 1);
    SetTitleRow(base, 6);
    base.SetCell(5, 5, "E990"), base.SetCell(20, 5, "2.8");
    base.SetCell(5, 2, "D70"), base.SetCell(20, 2, "---");
    const PictureList select{5, 2};
    const ItemList items{4, 19};
    const std::vector<std::string> headings{"機種", "F値"};
    TempDir dir;
    ASSERT_TRUE(WriteTextLines(dir / "h.txt", MakeTabLines(TabLayout::Horizontal, "/p/写真", select,
                                                           items, headings, base)));
    EXPECT_EQ(
        TempDir::Read(dir / "h.txt"),
        "/p/\x8E\xCA\x90^\r\n\t\x8B@\x8E\xED\tF\x92l\t\r\n1\tE990\t2.8\t\r\n2\tD70\t---\t\r\n");
    EXPECT_EQ(MakeTabLines(TabLayout::Vertical, "/p", select, items, headings, base),
              (std::vector<std::string>{"/p", "\t1\t2\t", "機種\tE990\tD70\t", "F値\t2.8\t---\t"}));
    EXPECT_EQ(MakeTabLines(TabLayout::Horizontal, "/p", select, {}, {}, base),
              (std::vector<std::string>{"/p", "\t", "1\t", "2\t"}));
    EXPECT_EQ(MakeTabLines(TabLayout::Vertical, "/p", select, {}, {}, base),
              (std::vector<std::string>{"/p", "\t1\t2\t"}));
}

} // namespace kamelune::test
