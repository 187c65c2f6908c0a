// The sort lines and order, and the rename: names, execution, never losing a picture.
#include "tools/SortRename.h"
#include "support/DataRows.h"
#include "support/Plain.h"

namespace kamelune::test {

// A base table of pictures whose item texts are given per row.
StringGrid Base(const std::vector<std::vector<std::pair<int, std::string>>>& rows) {
    StringGrid base(kBaseCols, 1);
    SetTitleRow(base, static_cast<int>(rows.size()) + 1);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (const auto& [item, text] : rows[r])
            base.SetCell(item + 1, static_cast<int>(r) + 1, text);
    return base;
}

PictureList Order(const StringGrid& base, const ItemList& keys) {
    return MakeSortedRowList(base, keys);
}

TEST(SortKey, FieldsAreTwentyBytesAlignedByItem) {
    EXPECT_TRUE(RightAlignedItem(18));
    EXPECT_FALSE(RightAlignedItem(19));
    EXPECT_EQ(SortKeyField("1/60", true), std::string(16, ' ') + "1/60");
    EXPECT_EQ(SortKeyField("1/60 ", true), std::string(15, ' ') + "1/60 ") << "its blank kept";
    EXPECT_EQ(SortKeyField("  2.8 ", false), "2.8" + std::string(17, ' '));
    EXPECT_EQ(SortKeyField(std::string(25, 'x'), true), std::string(20, 'x'));
    // Bytes of the CP932 form: 10 kanji fill the field; an 11th is dropped, a half-cut one
    // keeps its first byte.
    EXPECT_EQ(SortKeyField(std::string("a") + "日本日本日本日本日本", false).size(), 20u);
    const std::string cut = SortKeyField(std::string("a") + "日本日本日本日本日本", false);
    EXPECT_EQ(cut.substr(0, 19), Utf8ToCp932("a日本日本日本日本日"));
    EXPECT_EQ(static_cast<unsigned char>(cut[19]), 0x96) << "first byte of 本";
    EXPECT_EQ(SortLine(CopySortCells(Base({{{18, "1/60"}}}), {18}), 1),
              std::string(16, ' ') + "1/60@@   1");
}

TEST(Sort, KeysOrderInTurnCaseIgnored) {
    const StringGrid base = Base({
        {{18, "1/125"}, {3, "Canon"}, {19, "2.8"}},
        {{18, "1/60"}, {3, "Nikon"}, {19, "11.0"}},
        {{18, "1/60"}, {3, "canon"}, {19, "2.8"}},
        {{18, "1/125"}, {3, "Canon"}, {19, "4.0"}},
    });
    EXPECT_EQ(Order(base, {18, 3}), (std::vector<int>{3, 2, 1, 4}))
        << "right-aligned 1/60 before 1/125; maker case ignored, equal keys in row order";
    EXPECT_EQ(Order(base, {19}), (std::vector<int>{2, 1, 3, 4})) << "left-aligned: 11.0 first";
    EXPECT_EQ(Order(base, {}), (std::vector<int>{1, 2, 3, 4})) << "no keys: natural order";
    EXPECT_EQ(Order(Base({{{19, " 4.0"}}, {{19, "2.8"}}}), {19}), (std::vector<int>{2, 1}))
        << "a leading blank counts for nothing in a left-aligned key";
}

TEST(Sort, AtSignsInAKeyDoNotConfuseTheRowNumber) {
    const StringGrid base = Base({{{37, "b@@  9"}}, {{37, "a@@  7"}}, {{37, "c"}}});
    EXPECT_EQ(Order(base, {37}), (std::vector<int>{2, 1, 3}));
}

TEST(Sort, TwoThousandRowsAllPresentOnce) {
    std::vector<std::vector<std::pair<int, std::string>>> rows;
    for (int i = 0; i < 2000; ++i)
        rows.push_back({{18, "1/" + std::to_string(1 + i % 500)}, {3, i % 3 ? "Canon" : "NIKON"}});
    const std::vector<int> order = Order(Base(rows), {3, 18, 4, 19});
    ASSERT_EQ(order.size(), 2000u);
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(sorted[i], i + 1);
}

// The cases of tests/data/renames.tsv: the names a pattern gives, the names a rename refuses.
TEST(RenameName, NamesFromPatternsAndNamesRefused) {
    StringGrid items(4, kItemRows);
    SetUpItemGrid(items);
    SetDefaultHeadings(items);
    items.SetCell(2, 19, "F 値");
    const StringGrid base = Base({
        {{1, "a.jpg"}},
        {{1, "IMG01.JPG"}, {19, "2.8"}},
        {{1, "c.jpg"}, {10, std::string("2004:01:02 03:04:05\0", 20)}, {19, "2.8"}},
    });
    for (const auto& r : DataRows("renames.tsv")) {
        if (r.at(0) == "BadName") {
            EXPECT_EQ(BadNameReason(Unescape(r.at(1))).empty() ? "taken" : "refused", r.at(2))
                << r[1];
            continue;
        }
        const RenamePattern p{r.at(1),          r.at(2) == "yes",   std::stoi(r.at(3)),
                              r.at(4) == "yes", std::stoi(r.at(5)), r.at(6) == "yes",
                              r.at(7),          r.at(8) == "yes",   r.at(9)};
        const int i = std::stoi(r.at(10));
        EXPECT_EQ(MakeNewFilename(p, i, i, base, items), r.at(11));
    }
}

TEST(RenameRun, SuccessesFailuresAndTheCount) {
    PictureFolder f{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"};
    fs::create_directories(f.dir / "other");
    TempDir::Write(f.dir / "other/o.jpg", "elsewhere");
    TempDir::Write(f.cache + "/T_a.jpg", "thumb a");
    TempDir::Write(f.cache + "/T_a.TXT", "sizes a");
    TempDir::Write(f.cache + "/T_x.jpg", "stale thumbnail of a picture that is gone");
    std::vector<std::string> asked, reasons;
    const int count = RenameAll(f.pics, f.cache,
                                {{"a.jpg", "x.jpg"},          // success, cache follows
                                 {"b.jpg", "c.jpg"},          // target exists
                                 {" d.jpg ", "d.jpg"},        // unchanged after trimming: skipped
                                 {"e.jpg", ""},               // empty name
                                 {"../other/o.jpg", "o.jpg"}, // not a name of this folder
                                 {"c.jpg", "y.jpg"}},         // success
                                [&](const std::string& old, const std::string& reason) {
                                    asked.push_back(old);
                                    reasons.push_back(reason);
                                    return true;
                                });
    EXPECT_EQ(count, 2);
    EXPECT_EQ(asked, (std::vector<std::string>{"b.jpg", "e.jpg", "../other/o.jpg"}));
    EXPECT_EQ(reasons,
              (std::vector<std::string>{"同じ名前のファイルがあります: c.jpg", "empty name",
                                        "../other/o.jpg: a name cannot hold / or NUL"}));
    EXPECT_EQ(TempDir::Read(f.dir / "other/o.jpg"), "elsewhere");
    EXPECT_FALSE(f.Has("pics/o.jpg"));
    EXPECT_EQ(f.Read("pics/x.jpg"), "a.jpg");
    EXPECT_EQ(f.Read("pics/b.jpg"), "b.jpg");
    EXPECT_EQ(f.Read("pics/y.jpg"), "c.jpg");
    EXPECT_EQ(f.Read("pics/e.jpg"), "e.jpg");
    EXPECT_EQ(TempDir::Read(f.cache + "/T_x.jpg"), "thumb a");
    EXPECT_EQ(TempDir::Read(f.cache + "/T_x.TXT"), "sizes a");
    EXPECT_FALSE(fs::exists(f.cache + "/T_a.jpg"));
}

TEST(RenameRun, NoStopsTheRunWithTheCountSoFar) {
    PictureFolder f{"a.jpg", "b.jpg", "c.jpg"};
    const int count =
        RenameAll(f.pics, f.cache, {{"a.jpg", "n1.jpg"}, {"b.jpg", "c.jpg"}, {"c.jpg", "n3.jpg"}},
                  [](const std::string&, const std::string&) { return false; });
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(f.Has("pics/c.jpg"));
    EXPECT_FALSE(f.Has("pics/n3.jpg"));
}

TEST(RenameRun, SwapsAndRepeatsNeverLoseAPicture) {
    PictureFolder f{"a.jpg", "b.jpg", "c.jpg"};
    RenameAll(
        f.pics, f.cache,
        {{"a.jpg", "b.jpg"}, {"b.jpg", "a.jpg"}, {"c.jpg", "same.jpg"}, {"b.jpg", "same.jpg"}},
        [](const std::string&, const std::string&) { return true; });
    EXPECT_EQ(f.Read("pics/a.jpg"), "a.jpg");
    EXPECT_EQ(f.Read("pics/b.jpg"), "b.jpg");
    EXPECT_EQ(f.Read("pics/same.jpg"), "c.jpg");
    EXPECT_EQ(std::distance(fs::directory_iterator(f.pics), {}), 3);
}

TEST(RenameRun, CaseOnlyRename) {
    PictureFolder f{"img.jpg"};
    TempDir::Write(f.cache + "/T_img.jpg", "thumb");
    ASSERT_TRUE(RenamePicture(f.pics, f.cache, "img.jpg", "IMG.JPG"));
    EXPECT_EQ(f.Read("pics/IMG.JPG"), "img.jpg");
    EXPECT_TRUE(fs::exists(f.cache + "/T_IMG.JPG"));
    EXPECT_FALSE(RenamePicture(f.pics, f.cache, "IMG.JPG", "sub/x.jpg"));
    EXPECT_EQ(RenamePicture(f.pics, f.cache, "gone.jpg", "x.jpg").error,
              "見つかりません: gone.jpg");
}

} // namespace kamelune::test

namespace kamelune::test {

// A picture's sidecar follows its rename, hide and delete, never replacing a file, and stays with
// the other picture of a RAW + JPEG pair.
TEST(Sidecars, FollowTheirPictureAlone) {
    struct Case {
        const char* files; // in pics/, each holding its own name
        std::function<bool(const PictureFolder&)> act;
        const char* tree; // pics/ afterwards
    } cases[] = {
        {"a.cr2 a.xmp b.jpg",
         [](const PictureFolder& f) {
             return bool(RenamePicture(f.pics, f.cache, "a.cr2", "x.cr2", true));
         },
         "b.jpg=b.jpg x.cr2=a.cr2 x.xmp=a.xmp"},
        {"a.cr2 a.XMP",
         [](const PictureFolder& f) { return HidePicture(f.pics, f.cache, "a.cr2", true).Clean(); },
         "a.XMP.HID=a.XMP a.cr2.HID=a.cr2"},
        {"a.heic a.xmp a.XMP",
         [](const PictureFolder& f) {
             return HidePictures(f.pics, {"a.heic"}, true).Clean() &&
                    ReshowAll(f.pics).changed == 3;
         },
         "a.XMP=a.XMP a.heic=a.heic a.xmp=a.xmp"},
        {"a.nef a.xmp",
         [](const PictureFolder& f) {
             return DeletePicture(f.pics, f.cache, "a.nef", {}, true).Clean();
         },
         ""},
        // The pair's other picture keeps the sidecar.
        {"a.cr2 a.jpg a.xmp",
         [](const PictureFolder& f) {
             return DeletePicture(f.pics, f.cache, "a.jpg", {}, true).Clean();
         },
         "a.cr2=a.cr2 a.xmp=a.xmp"},
        {"a.cr2 a.jpg a.xmp",
         [](const PictureFolder& f) {
             return RenamePicture(f.pics, f.cache, "a.jpg", "b.jpg", true) &&
                    HidePicture(f.pics, f.cache, "a.cr2", true).Clean();
         },
         "a.cr2.HID=a.cr2 a.xmp.HID=a.xmp b.jpg=a.jpg"},
        // A sidecar name that is taken keeps the picture as it was.
        {"a.dng a.xmp b.xmp",
         [](const PictureFolder& f) {
             const FileResult r = RenamePicture(f.pics, f.cache, "a.dng", "b.dng", true);
             return !r && r.error == "同じ名前のファイルがあります: b.xmp";
         },
         "a.dng=a.dng a.xmp=a.xmp b.xmp=b.xmp"},
        {"a.dng a.xmp a.xmp.HID",
         [](const PictureFolder& f) {
             const FileChanges c = HidePicture(f.pics, f.cache, "a.dng", true);
             return c.changed == 1 && c.left == std::vector<std::string>{"a.xmp"};
         },
         "a.dng.HID=a.dng a.xmp=a.xmp a.xmp.HID=a.xmp.HID"},
        // Without the option a sidecar stays where it is.
        {"a.jpg a.xmp",
         [](const PictureFolder& f) {
             return RenamePicture(f.pics, f.cache, "a.jpg", "b.jpg") &&
                    HidePicture(f.pics, f.cache, "b.jpg").Clean();
         },
         "a.xmp=a.xmp b.jpg.HID=a.jpg"},
    };
    for (const Case& c : cases) {
        PictureFolder f;
        std::istringstream names(c.files);
        for (std::string name; names >> name;)
            f.Put("pics/" + name, name);
        EXPECT_TRUE(c.act(f)) << c.files;
        EXPECT_EQ(TempDir::Tree(f.pics, true), c.tree) << c.files;
    }
}

TEST(Sidecars, RawNamesHaveSizeFilesOfTheirOwn) {
    EXPECT_EQ(SizeFileName("IMG_1.JPG"), "T_IMG_1.TXT");
    EXPECT_EQ(SizeFileName("IMG_1.CR2"), "T_IMG_1.CR2.TXT");
    EXPECT_EQ(SizeFileName("p.Heic"), "T_p.Heic.TXT");
}

} // namespace kamelune::test
