// Hiding, showing again and deleting on disk: nothing is ever replaced.
#include "support/Plain.h"

namespace kamelune::test {

TEST(RenameNoReplace, NeverReplaces) {
    TempDir dir;
    TempDir::Write(dir / "a", "A");
    TempDir::Write(dir / "b", "B");
    int err = 0;
    EXPECT_FALSE(RenameNoReplace(dir / "a", dir / "b", &err));
    EXPECT_EQ(err, EEXIST);
    EXPECT_EQ(TempDir::Tree(dir.str(), true), "a=A b=B");
    EXPECT_FALSE(RenameNoReplace(dir / "gone", dir / "c", &err));
    EXPECT_EQ(err, ENOENT);
    ASSERT_TRUE(RenameNoReplace(dir / "a", dir / "c"));
    EXPECT_EQ(TempDir::Tree(dir.str(), true), "b=B c=A");
    // Two names of one file: still no replacing.
    ASSERT_EQ(::link((dir / "c").c_str(), (dir / "d").c_str()), 0);
    EXPECT_FALSE(RenameNoReplace(dir / "c", dir / "d"));
    EXPECT_EQ(TempDir::Tree(dir.str()), "b c d");
}

TEST(Hide, OnePictureWithItsCacheFilesAndBack) {
    PictureFolder f;
    f.Put("pics/a.jpg", "picture");
    f.Put("cache/T_a.jpg", "thumb");
    f.Put("cache/T_a.TXT", "sizes");
    const FileChanges c = HidePicture(f.pics, f.cache, "a.jpg");
    EXPECT_TRUE(c.Clean());
    EXPECT_EQ(c.changed, 1);
    EXPECT_EQ(f.Tree(), "cache/T_a.TXT.HID=sizes cache/T_a.jpg.HID=thumb pics/a.jpg.HID=picture");
    f.Put("pics/notes.hid", "n");
    EXPECT_EQ(ReshowAll(f.pics).changed, 2);
    EXPECT_EQ(f.Tree(), "cache/T_a.TXT.HID=sizes cache/T_a.jpg.HID=thumb pics/a.jpg=picture "
                        "pics/notes=n")
        << "cache files stay renamed";
}

TEST(Hide, CollisionsLeaveEveryFileAsItWas) {
    PictureFolder f;
    f.Put("pics/a.jpg", "new");
    f.Put("pics/a.jpg.HID", "old hidden");
    f.Put("cache/T_a.jpg", "thumb");
    const std::string before = f.Tree();
    FileChanges c = HidePicture(f.pics, f.cache, "a.jpg");
    EXPECT_EQ(c.left, (std::vector<std::string>{"a.jpg"}));
    EXPECT_EQ(f.Tree(), before) << "the cache follows only a hidden picture";
    EXPECT_NE(ChangesReport(c).find("a.jpg"), std::string::npos);

    c = ReshowAll(f.pics);
    EXPECT_EQ(c.left, (std::vector<std::string>{"a.jpg.HID"}));
    EXPECT_EQ(f.Tree(), before);

    c = HidePictures(f.pics, {"a.jpg", "gone.jpg"});
    EXPECT_EQ(c.left.size(), 1u);
    EXPECT_TRUE(c.failed.empty()) << "a vanished file is skipped";
}

TEST(Hide, SelectionWithoutCache) {
    PictureFolder f{"a.jpg", "b.jpg"};
    f.Put("cache/T_a.jpg", "thumb");
    EXPECT_EQ(HidePictures(f.pics, {"a.jpg", "b.jpg"}).changed, 2);
    EXPECT_EQ(f.Tree(), "cache/T_a.jpg=thumb pics/a.jpg.HID=a.jpg pics/b.jpg.HID=b.jpg");
    EXPECT_EQ(HiddenFiles(f.pics).size(), 2u);
}

// Which names count as hidden, and what showing them again makes of them.
TEST(Hide, UnusualHiddenNamesShowAgainSafely) {
    PictureFolder f{".HID", "a.hid", "b.jpg.HID", "b.jpg", "c.HID.HID", "Ü.JPG.Hid"};
    fs::create_directories(f.pics + "/d.HID");
    EXPECT_EQ(HiddenFiles(f.pics),
              (std::vector<std::string>{"a.hid", "b.jpg.HID", "c.HID.HID", "Ü.JPG.Hid"}));
    EXPECT_EQ(ReshowAll(f.pics).changed, 3);
    EXPECT_EQ(f.Tree(), "pics/.HID=.HID pics/a=a.hid pics/b.jpg=b.jpg pics/b.jpg.HID=b.jpg.HID "
                        "pics/c.HID=c.HID.HID pics/Ü.JPG=Ü.JPG.Hid")
        << "b.jpg never replaced";
    EXPECT_TRUE(f.Has("pics/d.HID"));
}

TEST(Delete, PictureAndCacheFiles) {
    PictureFolder f{"a.jpeg", "b.jpg"};
    f.Put("cache/T_a.jpeg", "thumb");
    f.Put("cache/T_a.TXT", "sizes");
    FileChanges c = DeletePicture(f.pics, f.cache, "a.jpeg");
    EXPECT_TRUE(c.Clean());
    EXPECT_EQ(f.Tree(), "pics/b.jpg=b.jpg");
    c = DeletePicture(f.pics, f.cache, "a.jpeg");
    EXPECT_TRUE(c.Clean()) << "already gone";
    EXPECT_EQ(c.changed, 0);
}

TEST(Delete, ReadOnlyFolderIsReported) {
    PictureFolder f;
    f.Put("pics/a.jpg", "picture");
    fs::permissions(f.pics, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(f.pics.c_str(), W_OK) == 0)
        GTEST_SKIP() << "running with privileges that ignore folder permissions";
    const FileChanges c = DeletePicture(f.pics, f.cache, "a.jpg");
    EXPECT_EQ(c.failed.size(), 1u);
    EXPECT_TRUE(f.Has("pics/a.jpg"));
    EXPECT_EQ(HidePicture(f.pics, f.cache, "a.jpg").failed.size(), 1u);
}

} // namespace kamelune::test
