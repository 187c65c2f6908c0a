// A folder of everything a folder can hold that is not a good picture: nothing crashes, every
// JPEG-named file is a row, and no thumbnail is made of garbage.
#include "support/Plain.h"

namespace kamelune::test {

TEST(HostileFolder, DamagedSamplesLinksAndOddNames) {
    const fs::path samples = fs::path(KAMELUNE_SAMPLES);
    ASSERT_TRUE(fs::exists(samples)) << "test pictures missing: " << samples;
    TempDir dir;
    const std::string folder = dir / "pics";
    fs::create_directories(folder);
    int copied = 0;
    for (const char* sub : {"invalid", "tests"})
        for (const auto& e : fs::directory_iterator(samples / sub))
            if (e.path().extension() == ".jpg" || e.path().extension() == ".jpeg") {
                fs::copy_file(e.path(), folder + "/" + e.path().filename().string());
                ++copied;
            }
    fs::copy_file(samples / "corrupted.jpg", folder + "/corrupted.jpg");
    fs::copy_file(samples / "exif-org/canon-ixus.jpg", folder + "/a&b #1 \"q\" é☃.jpg");
    TempDir::Write(folder + "/.jpg", "");
    fs::create_directory_symlink(".", folder + "/loop.jpg"); // a folder, not a picture
    fs::create_symlink("self.jpg", folder + "/self.jpg");    // a link to itself
    fs::create_symlink("missing.jpg", folder + "/dangling.jpg");
    fs::create_directories(folder + "/folder.jpg");
    ASSERT_EQ(::mkfifo((folder + "/pipe.jpg").c_str(), 0644), 0); // reading it would block

    const auto files = ListPictures(folder);
    EXPECT_EQ(static_cast<int>(files.size()), copied + 3)
        << "the links and the folder are no pictures";
    FolderScan scan;
    ReadFolder(folder, files, scan, {});
    const StringGrid& base = scan.base;
    const FolderCounts& counts = scan.counts;
    EXPECT_EQ(counts.pictureCount, copied + 3);
    std::ostringstream out;
    DumpGrid(base, out);
    EXPECT_NE(out.str().find("a&b #1 \"q\" é☃.jpg"), std::string::npos);
    for (int r = 1; r < base.RowCount(); ++r) {
        const std::string name(base.Cell(2, r));
        if (name == ".jpg") {
            EXPECT_EQ(base.Cell(kTypeCol, r), "Not JPEG");
        }
        const ThumbnailOutcome t =
            ObtainThumbnail(dir / "cache", folder, name, std::string(base.Cell(55, r)));
        if (t.ok) {
            EXPECT_EQ(t.sizeLines.size(), 3u) << name;
        } else {
            EXPECT_FALSE(t.error.empty()) << name;
            EXPECT_FALSE(fs::exists(dir / ("cache/" + ThumbFileName(name)))) << name;
        }
    }
}

TEST(HostileFolder, UnreadableFileAndSubFolder) {
    TempDir dir;
    const std::string folder = dir / "pics";
    fs::create_directories(folder + "/locked");
    TempDir::Write(folder + "/a.jpg", std::string("\xFF\xD8\xFF\xE1\0\0", 6));
    TempDir::Write(folder + "/locked/b.jpg", "x");
    fs::permissions(folder + "/a.jpg", fs::perms::none);
    fs::permissions(folder + "/locked", fs::perms::none);
    if (::access((folder + "/a.jpg").c_str(), R_OK) == 0)
        GTEST_SKIP() << "running with privileges that ignore permissions";
    const auto files = ListPictures(folder);
    ASSERT_EQ(files, (std::vector<std::string>{"a.jpg"}));
    FolderScan scan;
    ReadFolder(folder, files, scan, {});
    EXPECT_EQ(scan.base.Cell(kTypeCol, 1), "X");
    EXPECT_TRUE(ListPictures(folder + "/locked").empty());
    EXPECT_FALSE(ObtainThumbnail(dir / "cache", folder, "a.jpg", "0kb").ok);
    fs::permissions(folder + "/locked", fs::perms::owner_all);
}

TEST(HostileFolder, AFifoThatTookAPictureNameIsNeverWaitedOn) {
    // Listed as a file, then replaced by a FIFO: every read fails at once.
    TempDir dir;
    const std::string fifo = dir / "pic.jpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // Should a read wait for a writer, this opens the other end after a long while (only a hang
    // lasts it out), so that the test fails instead of hanging.
    std::atomic<bool> done{false}, rescued{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 3000 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        while (!done) {
            if (const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                rescued = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    std::string bytes;
    FileKind kind = FileKind::Unread;
    ExifItemTexts items;
    int w = 0, h = 0;
    const std::pair<const char*, std::function<bool()>> reads[] = {
        {"whole file", [&] { return bool(ReadWholeFile(fifo, bytes)); }},
        {"copy", [&] { return bool(CopyFileByBlocks(fifo, dir / "copy.jpg")); }},
        {"EXIF", [&] { return ReadExifFile(fifo, kind, items); }},
        {"kind", [&] { return CheckJpegKind(fifo, kind), kind == FileKind::Exif; }},
        {"size", [&] { return ReadJpegSize(fifo, w, h).ok; }},
        {"decode", [&] { return DecodeJpegFile(fifo).ok; }},
        {"thumbnail", [&] { return ObtainThumbnail(dir / "cache", dir.str(), "pic.jpg", "").ok; }},
    };
    for (const auto& [what, read] : reads)
        EXPECT_FALSE(read()) << what;
    done = true;
    watchdog.join();
    EXPECT_FALSE(rescued) << "a read waited for a writer";
}

} // namespace kamelune::test
