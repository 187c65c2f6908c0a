#include "support/Plain.h"

namespace kamelune::test {

TEST(FailureText, CommonReasonsInJapaneseWithThePathAfter) {
    EXPECT_EQ(FailureText("cannot write", "/p/a.jpg", ENOSPC),
              "ディスクの空き容量がありません: /p/a.jpg");
    EXPECT_EQ(FailureText("cannot open", "/p", EACCES), "アクセスする権限がありません: /p");
    EXPECT_EQ(FailureText("cannot open", "/p", EIO),
              "cannot open /p: " + std::string(std::strerror(EIO)));
    TempDir dir;
    EXPECT_EQ(CopyFileByBlocks(dir / "missing.jpg", dir / "b.jpg").error,
              "見つかりません: " + dir / "missing.jpg");
    EXPECT_FALSE(FileResult{}) << "a result nobody set says failure";
}

TEST(CopyFileByBlocks, CopiesEverySizeAroundTheBlockOverWhatWasThere) {
    TempDir dir;
    TempDir::Write(dir / "dst", std::string(5000, 'o'));
    for (std::size_t size : {100000u, 0u, 1u, 2047u, 2048u, 2049u, 4096u}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + 3);
        TempDir::Write(dir / "src", bytes);
        ASSERT_TRUE(CopyFileByBlocks(dir / "src", dir / "dst")) << size;
        EXPECT_EQ(TempDir::Read(dir / "dst"), bytes) << size;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.str()), {}), 2)
        << "no temporary file is left behind";
}

TEST(CopyFileByBlocks, OntoItselfIsRefusedAndKeepsTheFile) {
    TempDir dir;
    TempDir::Write(dir / "a.jpg", "picture");
    const FileResult r = CopyFileByBlocks(dir / "a.jpg", dir / "a.jpg");
    EXPECT_FALSE(r);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(TempDir::Read(dir / "a.jpg"), "picture");
    // The same file under another name (a hard link) is the same file.
    ASSERT_EQ(::link((dir / "a.jpg").c_str(), (dir / "b.jpg").c_str()), 0);
    EXPECT_FALSE(CopyFileByBlocks(dir / "a.jpg", dir / "b.jpg"));
    EXPECT_EQ(TempDir::Read(dir / "a.jpg"), "picture");
}

TEST(CopyFileByBlocks, FailuresAreReportedAndLeaveTheDestination) {
    TempDir dir;
    EXPECT_FALSE(CopyFileByBlocks(dir / "missing", dir / "dst"));
    EXPECT_FALSE(std::filesystem::exists(dir / "dst"));
    TempDir::Write(dir / "src", "data");
    EXPECT_FALSE(CopyFileByBlocks(dir / "src", dir / "no/such/folder/dst"));
    // A read error part-way: a folder opens but cannot be read.
    TempDir::Write(dir / "dst", "kept");
    EXPECT_FALSE(CopyFileByBlocks(dir.str(), dir / "dst"));
    EXPECT_EQ(TempDir::Read(dir / "dst"), "kept");
}

// A save over a name that is not a plain file of its own: a link is written through, hard links
// stay one file, anything else is refused and stays as it was. Both the write and the copy.
TEST(WriteFileAtomically, OnlyARegularFileIsEverReplaced) {
    TempDir dir;
    TempDir::Write(dir / "src", "new");
    for (const bool copy : {false, true}) {
        SCOPED_TRACE(copy ? "copy" : "write");
        const auto save = [&](const std::string& path) {
            return copy ? CopyFileByBlocks(dir / "src", path) : WriteFileAtomically(path, "new");
        };
        fs::remove_all(dir / "t");
        fs::create_directories(dir / "t/sub");
        TempDir::Write(dir / "t/target", "old");
        fs::create_symlink("target", dir / "t/link");
        fs::create_symlink("link", dir / "t/link2");
        fs::create_symlink("sub/made", dir / "t/dangling");
        ASSERT_TRUE(save(dir / "t/link2"));
        EXPECT_TRUE(fs::is_symlink(dir / "t/link2"));
        EXPECT_TRUE(fs::is_symlink(dir / "t/link"));
        EXPECT_EQ(TempDir::Read(dir / "t/target"), "new");
        ASSERT_TRUE(save(dir / "t/dangling"));
        EXPECT_EQ(TempDir::Read(dir / "t/sub/made"), "new");

        TempDir::Write(dir / "t/one", "old and longer");
        ASSERT_EQ(::link((dir / "t/one").c_str(), (dir / "t/two").c_str()), 0);
        ASSERT_TRUE(save(dir / "t/two"));
        EXPECT_EQ(TempDir::Read(dir / "t/one"), "new");
        EXPECT_TRUE(fs::equivalent(dir / "t/one", dir / "t/two"));

        ASSERT_EQ(::mkfifo((dir / "t/fifo").c_str(), 0644), 0);
        fs::create_symlink("fifo", dir / "t/to-fifo");
        for (const char* refused : {"t/fifo", "t/to-fifo", "t/sub"}) {
            const FileResult r = save(dir / refused);
            EXPECT_EQ(r.error, "通常のファイルではありません: " + dir / refused);
        }
        EXPECT_TRUE(fs::is_fifo(dir / "t/fifo"));
        EXPECT_TRUE(fs::is_directory(dir / "t/sub"));
        fs::create_symlink("loop", dir / "t/loop");
        EXPECT_FALSE(save(dir / "t/loop"));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / "t"), {}), 10)
            << "no temporary file is left behind";
    }
}

TEST(TextFile, WritesCp932WithCrLfAndReadsBothLineEnds) {
    TempDir dir;
    ASSERT_TRUE(WriteTextLines(dir / "t.txt", {"1600", "日本", "", "é"}));
    EXPECT_EQ(TempDir::Read(dir / "t.txt"), "1600\r\n\x93\xFA\x96\x7B\r\n\r\n?\r\n");
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(dir / "t.txt", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"1600", "日本", "", "?"}));
    TempDir::Write(dir / "lf.txt", "a\nb\r\nc");
    ASSERT_TRUE(ReadTextLines(dir / "lf.txt", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(ReadTextLines(dir / "missing.txt", lines));
}

TEST(TextFile, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    TempDir::Write(dir / "t.txt", "old");
    std::filesystem::permissions(dir.str(), std::filesystem::perms::owner_read |
                                                std::filesystem::perms::owner_exec);
    if (::access(dir.str().c_str(), W_OK) == 0)
        GTEST_SKIP() << "running with privileges that ignore folder permissions";
    EXPECT_FALSE(WriteTextLines(dir / "t.txt", {"new"}));
    EXPECT_EQ(TempDir::Read(dir / "t.txt"), "old");
}

} // namespace kamelune::test
