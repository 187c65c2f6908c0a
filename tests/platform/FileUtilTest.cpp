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
