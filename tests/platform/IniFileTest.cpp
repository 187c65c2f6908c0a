#include "support/Plain.h"

namespace kamelune::test {

TEST(IniFile, AbsentFileAndKeysGiveDefaults) {
    TempDir dir;
    const IniFile ini(dir / "none.ini");
    EXPECT_EQ(ini.ReadString("Dir", "Dir", "/home"), "/home");
    EXPECT_EQ(ini.ReadInteger("Form", "Left", -1), -1);
    EXPECT_FALSE(ini.HasKey("Form", "Left"));
}

TEST(IniFile, WritingOneKeyKeepsEverythingElse) {
    TempDir dir;
    const std::string original =
        "; comment\r\n[Form]\r\nLeft=1\r\nOther = x\r\n\r\n[Dir]\r\nDir=/a\r\n";
    TempDir::Write(dir / "k.ini", original);
    IniFile ini(dir / "k.ini");
    ini.WriteInteger("Form", "Top", -20);
    ini.WriteString("dir", "DIR", "/b/写真");
    ini.WriteString("New", "Key", "v");
    ASSERT_TRUE(ini.UpdateFile());
    const std::string written = TempDir::Read(dir / "k.ini");
    EXPECT_EQ(written, "; comment\r\n[Form]\r\nLeft=1\r\nOther = x\r\nTop=-20\r\n\r\n[Dir]\r\n"
                       "Dir=/b/\x8E\xCA\x90\x5E\r\n[New]\r\nKey=v\r\n");
    const IniFile again(dir / "k.ini");
    EXPECT_EQ(again.ReadString("Dir", "Dir", ""), "/b/写真");
    EXPECT_EQ(again.ReadInteger("Form", "Top", 0), -20);
    ASSERT_TRUE(again.UpdateFile());
    EXPECT_EQ(TempDir::Read(dir / "k.ini"), written) << "read and written back unchanged";
}

TEST(IniFile, ReadsSpacesAroundEqualsAndLfOnlyLines) {
    TempDir dir;
    TempDir::Write(dir / "k.ini", "[Form]\nLeft = 12 \n  Top=  -3\n[ Pane ]\nHairetu=x\n");
    const IniFile ini(dir / "k.ini");
    EXPECT_EQ(ini.ReadInteger("form", "left", -1), 12);
    EXPECT_EQ(ini.ReadInteger("Form", "Top", 0), -3);
    EXPECT_EQ(ini.ReadInteger("Pane", "Hairetu", -1), -1) << "not a number";
    EXPECT_EQ(ini.ReadString("Pane", "Hairetu", ""), "x");
}

TEST(IniFile, IntegersThatAreNotDecimalGiveTheDefault) {
    TempDir dir;
    TempDir::Write(dir / "k.ini", "[S]\na=\nb=12x\nc=99999999999\nd=+7\ne=0x10\n");
    const IniFile ini(dir / "k.ini");
    for (const char* key : {"a", "b", "c", "e"})
        EXPECT_EQ(ini.ReadInteger("S", key, -1), -1) << key;
    EXPECT_EQ(ini.ReadInteger("S", "d", -1), 7);
}

} // namespace kamelune::test
