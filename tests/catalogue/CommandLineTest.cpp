// The program's command line.
#include "support/DataRows.h"
#include "support/Plain.h"

namespace kamelune::test {

// The cases of tests/data/command-lines.tsv.
TEST(CommandLine, FolderPictureOptionsAndMistakes) {
    TempDir dir;
    std::filesystem::create_directories(dir / "pics/sub");
    TempDir::Write(dir / "pics/a b.jpg", "\xFF\xD8\xFF\xE1");
    TempDir::Write(dir / "pics/b.JPEG", "\xFF\xD8");
    TempDir::Write(dir / "pics/notes.txt", "\xFF\xD8");
    TempDir::Write(dir / "pics/fake.jpg", "GIF89a");
    const auto inDir = [&dir](std::string s) {
        return s.starts_with("DIR") ? dir.str() + s.substr(3) : s;
    };
    const char* actions[] = {"run", "help", "version", "error"};
    for (const auto& c : DataRows("command-lines.tsv")) {
        std::vector<std::string> args;
        for (const std::string& a : c.at(0).empty() ? std::vector<std::string>{} : Split(c[0], '|'))
            args.push_back(inDir(a));
        const CommandLine got = ParseCommandLine(args, dir.str());
        EXPECT_EQ(actions[static_cast<int>(got.action)], c.at(1)) << c[0];
        EXPECT_EQ(got.folder, inDir(c.at(2))) << c[0];
        EXPECT_EQ(got.picture, c.at(3)) << c[0];
        EXPECT_EQ(got.message.empty(), c[1] != "error") << c[0];
    }
}

TEST(CommandLine, QtsOwnOptionsAreLeftToQt) {
    EXPECT_EQ(WithoutQtOptions({"-platform", "offscreen", "pics", "-reverse", "--style=fusion"}),
              (std::vector<std::string>{"pics"}));
    EXPECT_EQ(WithoutQtOptions({"--frobnicate", "-style"}),
              (std::vector<std::string>{"--frobnicate"}))
        << "an option of our own stays; a value missing at the end is no crash";
}

} // namespace kamelune::test
