// The program's command line.
#include "support/Plain.h"

namespace kamelune::test {

using Action = CommandLine::Action;

TEST(CommandLine, FolderPictureOptionsAndMistakes) {
    TempDir dir;
    std::filesystem::create_directories(dir / "pics/sub");
    TempDir::Write(dir / "pics/a b.jpg", "\xFF\xD8\xFF\xE1");
    TempDir::Write(dir / "pics/b.JPEG", "\xFF\xD8");
    TempDir::Write(dir / "pics/notes.txt", "\xFF\xD8");
    TempDir::Write(dir / "pics/fake.jpg", "GIF89a");
    const std::string pics = dir / "pics";
    const struct {
        std::vector<std::string> args;
        Action action;
        std::string folder, picture;
    } cases[] = {
        {{}, Action::Run, "", ""},
        {{"pics"}, Action::Run, pics, ""},
        {{"pics/"}, Action::Run, pics, ""},
        {{pics + "/sub/.."}, Action::Run, pics, ""},
        {{"pics/a b.jpg"}, Action::Run, pics, "a b.jpg"},
        {{"./pics/sub/../a b.jpg"}, Action::Run, pics, "a b.jpg"},
        {{"pics", "--version"}, Action::Version, "", ""},
        {{"-h"}, Action::Help, "", ""},
        {{"missing"}, Action::Error, "", ""},
        {{"pics", "pics/sub"}, Action::Error, "", ""},
        {{"--frobnicate"}, Action::Error, "", ""},
        {{"pics/b.JPEG"}, Action::Run, pics, "b.JPEG"},
        {{"pics/notes.txt"}, Action::Error, "", ""},
        {{"pics/fake.jpg"}, Action::Error, "", ""},
    };
    for (const auto& c : cases) {
        const CommandLine got = ParseCommandLine(c.args, dir.str());
        const std::string what = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(got.action, c.action) << what;
        EXPECT_EQ(got.folder, c.folder) << what;
        EXPECT_EQ(got.picture, c.picture) << what;
        EXPECT_EQ(got.message.empty(), c.action != Action::Error) << what;
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
