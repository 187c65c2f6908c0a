// Cache folder names, thumbnails and size files, and the settings file.
#include "support/Plain.h"

namespace kamelune::test {

TEST(Thumbnails, CachedThumbnailIsReusedWithoutTheSourcePicture) {
    TempDir dir;
    WritePicture(dir / "p.jpg", 320, 240);
    const std::string cache = dir / "cache";
    ASSERT_TRUE(ObtainThumbnail(cache, dir.str(), "p.jpg", "1kb").ok);
    const std::string thumbBytes = TempDir::Read(cache + "/T_p.jpg");
    // The picture is replaced by something undecodable: a reuse must not decode it.
    TempDir::Write(dir / "p.jpg", "broken");
    const ThumbnailOutcome again = ObtainThumbnail(cache, dir.str(), "p.jpg", "9kb");
    EXPECT_TRUE(again.ok);
    EXPECT_FALSE(again.madeNow);
    EXPECT_EQ(again.sizeLines, (std::vector<std::string>{"320", "240", "1kb"}));
    EXPECT_EQ(TempDir::Read(cache + "/T_p.jpg"), thumbBytes);
}

TEST(Thumbnails, BrokenPictureMakesNoFiles) {
    TempDir dir;
    TempDir::Write(dir / "p.jpg", std::string("\xFF\xD8\xFF\xE1garbage", 11));
    const ThumbnailOutcome t = ObtainThumbnail(dir / "cache", dir.str(), "p.jpg", "0kb");
    EXPECT_FALSE(t.ok);
    EXPECT_FALSE(t.error.empty());
    EXPECT_FALSE(fs::exists(dir / "cache/T_p.jpg"));
    EXPECT_FALSE(fs::exists(dir / "cache/T_p.TXT"));
}

TEST(Thumbnails, ACacheThatCannotBeMadeKeepsTheThumbnailInMemory) {
    TempDir dir;
    WritePicture(dir / "p.jpg", 1600, 1200);
    TempDir::Write(dir / "cache", "a file where the cache folder would be");
    const ThumbnailOutcome t = ObtainThumbnail(dir / "cache/sub", dir.str(), "p.jpg", "5kb");
    ASSERT_TRUE(t.ok);
    EXPECT_TRUE(t.inMemory);
    EXPECT_EQ(t.picture.width, 88);
    EXPECT_EQ(t.picture.height, 66);
    EXPECT_EQ(t.sizeLines, (std::vector<std::string>{"1600", "1200", "5kb"}));
    EXPECT_NE(t.error.find("cache"), std::string::npos) << t.error;
}

TEST(Thumbnails, AMissingOrDamagedSizeFileIsMadeAgainWithTheThumbnail) {
    TempDir dir;
    WritePicture(dir / "p.jpg", 100, 50);
    ASSERT_TRUE(ObtainThumbnail(dir / "cache", dir.str(), "p.jpg", "1kb").ok);
    for (const bool damaged : {false, true}) {
        if (damaged)
            TempDir::Write(dir / "cache/T_p.TXT", "100\r\n");
        else
            fs::remove(dir / "cache/T_p.TXT");
        const ThumbnailOutcome t = ObtainThumbnail(dir / "cache", dir.str(), "p.jpg", "1kb");
        EXPECT_TRUE(t.ok && t.madeNow) << damaged;
        EXPECT_EQ(t.sizeLines, (std::vector<std::string>{"100", "50", "1kb"})) << damaged;
        EXPECT_EQ(TempDir::Read(dir / "cache/T_p.TXT"), "100\r\n50\r\n1kb\r\n") << damaged;
    }
}

TEST(MainSettingsFile, DefaultsAndRoundTrip) {
    TempDir dir;
    IniFile none(dir / "k.ini");
    MainSettings s = ReadMainSettings(none, "/home/u", "/opt/k");
    EXPECT_EQ(s.left, -1);
    EXPECT_EQ(s.activePage, "TabSheetTable");
    EXPECT_EQ(s.dir, "/home/u");
    EXPECT_EQ(s.thumbDir, "/opt/k");
    EXPECT_EQ(s.pane, -1);
    s = {10, 20, 800, 600, "TabSheetGazo", "/p/写真", "/t", 3};
    IniFile ini(dir / "k.ini");
    WriteMainSettings(ini, s);
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(TempDir::Read(dir / "k.ini"),
              "[Form]\r\nLeft=10\r\nTop=20\r\nWidth=800\r\nHeight=600\r\n"
              "[ActivePage]\r\nActivePage=TabSheetGazo\r\n"
              "[Dir]\r\nDir=/p/\x8E\xCA\x90\x5E\r\nThumbDir=/t\r\n[Pane]\r\nHairetu=3\r\n");
    const MainSettings back = ReadMainSettings(IniFile(dir / "k.ini"), "", "");
    EXPECT_EQ(back.dir, "/p/写真");
    EXPECT_EQ(back.height, 600);
}

TEST(MainSettingsFile, PathsThatCp932CannotHoldComeBack) {
    TempDir dir;
    const std::string file = dir / "k.ini";
    MainSettings s;
    s.dir = "/p/café 100%";
    s.thumbDir = "/t/☃";
    {
        IniFile ini(file);
        WriteMainSettings(ini, s);
        ASSERT_TRUE(ini.UpdateFile());
    }
    const std::string written = TempDir::Read(file);
    EXPECT_NE(written.find("\r\nDir=/p/caf? 100%\r\n"), std::string::npos) << "other readers' form";
    EXPECT_NE(written.find("\r\nDirUtf8=/p/caf%C3%A9 100%25\r\n"), std::string::npos);
    MainSettings back = ReadMainSettings(IniFile(file), "", "");
    EXPECT_EQ(back.dir, s.dir);
    EXPECT_EQ(back.thumbDir, s.thumbDir);

    // Another program rewrote Dir alone: the exact form beside it is stale and gives way.
    {
        IniFile ini(file);
        ini.WriteString("Dir", "Dir", "/elsewhere");
        ASSERT_TRUE(ini.UpdateFile());
    }
    EXPECT_EQ(ReadMainSettings(IniFile(file), "", "").dir, "/elsewhere");

    // Paths CP932 holds again: the file is exactly what it would be without the detour.
    s.dir = "/p/写真";
    s.thumbDir = "/t";
    std::string plain;
    for (const std::string& path : {file, dir / "fresh.ini"}) {
        IniFile ini(path);
        WriteMainSettings(ini, s);
        ASSERT_TRUE(ini.UpdateFile());
        plain = TempDir::Read(path);
    }
    EXPECT_EQ(TempDir::Read(file), plain);
}

TEST(FolderList, ChainThenSubfoldersFoldersOnly) {
    TempDir dir;
    const std::string deep = dir / "a/b/c/d/e";
    for (const char* sub : {"Zeta", "alpha", "Beta", ".hidden"})
        fs::create_directories(deep + "/" + sub);
    TempDir::Write(deep + "/picture.jpg", "not a folder");
    fs::create_directory_symlink(deep + "/alpha", deep + "/link");
    const auto subs = ListSubfolders(deep);
    EXPECT_EQ(subs, (std::vector<std::string>{"alpha", "Beta", "link", "Zeta"}));
    const auto rows = FolderListEntries(deep, subs);
    const auto chain = std::count_if(rows.begin(), rows.end(), [](auto& r) { return r.open; });
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(chain) + 4);
    EXPECT_EQ(rows.front(), (FolderEntry{"/", "/", 0, true}));
    EXPECT_EQ(rows[chain - 1], (FolderEntry{deep, "e", static_cast<int>(chain) - 1, true}));
    EXPECT_EQ(rows[chain], (FolderEntry{deep + "/alpha", "alpha", static_cast<int>(chain), false}));
    for (int i = 1; i < chain; ++i)
        EXPECT_EQ(rows[i].depth, i);
    EXPECT_EQ(FolderListEntries("/", {"home"}),
              (std::vector<FolderEntry>{{"/", "/", 0, true}, {"/home", "home", 1, false}}));
    EXPECT_TRUE(ListSubfolders(dir / "missing").empty());
}

} // namespace kamelune::test
