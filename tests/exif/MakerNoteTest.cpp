// The Olympus and Nikon E990 maker notes, and which camera's decoder runs.
#include "ExifTestUtil.h"

namespace kamelune::test {
namespace {

using P = std::pair<std::uint32_t, std::uint32_t>;

const std::string kOlympusHeader("OLYMP\0\1\0", 8);

TiffLayout MakerLayout(const std::string& maker, const std::string& model, MakerNoteLayout note) {
    TiffLayout tiff;
    tiff.ifd0 = {Ascii(0x010F, maker), Ascii(0x0110, model)};
    tiff.exif = {Short(0x9208, {1}), MakerNote()};
    tiff.makerNote = std::move(note);
    return tiff;
}

ReadResult Olympus(std::vector<Entry> entries, Order order, const std::string& model = "C3030Z") {
    return ReadLayout(
        MakerLayout("OLYMPUS OPTICAL CO.,LTD", model, Note(kOlympusHeader, std::move(entries))),
        order);
}

ReadResult Nikon(std::vector<Entry> entries, Order order) {
    return ReadLayout(MakerLayout("NIKON", "E990", Note("", std::move(entries))), order);
}

struct NoteCase {
    const char* name;
    bool olympus;
    Entry entry;
    std::vector<std::pair<int, std::string>> items;
};

class MakerNoteRule : public ::testing::TestWithParam<std::tuple<NoteCase, Order>> {};

TEST_P(MakerNoteRule, SetsItsItems) {
    const auto& [c, order] = GetParam();
    const ReadResult r = c.olympus ? Olympus({c.entry}, order) : Nikon({c.entry}, order);
    ASSERT_EQ(r.kind, "EXIF");
    for (const auto& [item, text] : c.items)
        EXPECT_EQ(r.items[item], text) << "item " << item;
}

const NoteCase kNoteCases[] = {
    {"SpecialModePanorama",
     true,
     Long(0x0200, {3, 5, 1}),
     {{55, "パノラマ"}, {56, "5"}, {57, "下->上"}}},
    {"SpecialModeNormal", true, Long(0x0200, {0, 0, 0}), {{55, "通常"}, {56, "0"}, {57, "なし"}}},
    {"SpecialModeTopToBottomOnlyNamesDirection",
     true,
     Long(0x0200, {4, 7, 0}),
     {{55, "---"}, {56, "7"}, {57, "上->下"}}},
    {"SpecialModeUnsignedSequence",
     true,
     Long(0x0200, {9, 0xFFFFFFFFu, 0}),
     {{55, "---"}, {56, "4294967295"}, {57, "---"}}},
    {"QualityShq", true, Short(0x0201, {3}), {{59, "SHQ"}}},
    {"QualityUnknown", true, Short(0x0201, {0}), {{59, "?0"}}},
    {"Macro", true, Short(0x0202, {1}), {{58, "マクロ"}}},
    {"DigitalZoomNone", true, Rational(0x0204, {P{0, 100}}), {{60, "なし"}}},
    {"DigitalZoomTwice", true, Rational(0x0204, {P{2, 1}}), {{60, "２倍"}}},
    {"DigitalZoomOther", true, Rational(0x0204, {P{200, 100}}), {{60, "     200/     100"}}},
    {"SharpnessHard", true, Short(0x100F, {1}), {{74, "HARD"}}},
    {"Contrast", true, Short(0x1029, {2}), {{75, "LOW"}}},
    {"WhiteBalanceAuto", true, Short(0x1015, {1, 0}), {{34, "AUTO"}}},
    {"WhiteBalance4500K", true, Short(0x1015, {2, 5}), {{34, "4500K"}}},
    {"WhiteBalance7500K", true, Short(0x1015, {2, 8}), {{34, "7500K"}}},
    {"WhiteBalanceOneTouch", true, Short(0x1015, {3, 0}), {{34, "ﾜﾝﾀｯﾁWB"}}},
    {"WhiteBalanceUnknown", true, Short(0x1015, {2, 9}), {{34, "?2-9"}}},
    {"OlympusTextTagChangesNothing", true, Ascii(0x0207, "SOFTWARE"), {{34, "昼光"}}},
    {"NikonIsoAuto", false, RawField(0x0002, 3, 2, 0), {{68, "Auto"}}},
    {"NikonIso", false, Short(0x0002, {0, 100}), {{68, "100"}}},
    {"NikonColour", false, Ascii(0x0003, "COLOR"), {{61, Nul("COLOR")}}},
    {"NikonQualityPadded", false, Ascii(0x0004, "FINE   "), {{62, Nul("FINE   ")}}},
    {"NikonWhiteBalanceWinsOverLightSource", false, Ascii(0x0005, "AUTO  "), {{34, Nul("AUTO  ")}}},
    {"NikonSharpness", false, Ascii(0x0006, "NORMAL"), {{74, Nul("NORMAL")}}},
    {"NikonFocus", false, Ascii(0x0007, "AF-S  "), {{65, Nul("AF-S  ")}}},
    {"NikonFlash", false, Ascii(0x0008, "      "), {{66, Nul("      ")}}},
    {"NikonIsoSelection", false, Ascii(0x000F, "MANUAL"), {{69, Nul("MANUAL")}}},
    {"NikonTone", false, Ascii(0x0080, "AUTO"), {{67, Nul("AUTO")}}},
    {"NikonConverter", false, Ascii(0x0082, "OFF"), {{70, Nul("OFF")}}},
    {"NikonDistanceAf", false, Rational(0x0085, {P{0, 0}}), {{72, "AF"}}},
    {"NikonDistance", false, Rational(0x0085, {P{250, 100}}), {{72, " 250/ 100"}}},
    {"NikonOpticalZoom", false, Rational(0x0086, {P{100, 100}}), {{73, "光学ズーム"}}},
    {"NikonDigitalZoom", false, Rational(0x0086, {P{150, 100}}), {{73, " 150/ 100"}}},
    {"NikonFocusAreaTop", false, Long(0x0088, {256}), {{71, "上"}}},
    {"NikonFocusAreaRight", false, Long(0x0088, {1024}), {{71, "右"}}},
    {"NikonFocusAreaUnknown", false, Long(0x0088, {2048}), {{71, "---"}}},
};

INSTANTIATE_TEST_SUITE_P(Rules, MakerNoteRule,
                         ::testing::Combine(::testing::ValuesIn(kNoteCases),
                                            ::testing::Values(Order::II, Order::MM)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == Order::II ? "_II" : "_MM");
                         });

class MakerNote : public BothOrders {};

TEST_P(MakerNote, SharpnessDependsOnC2500Model) {
    EXPECT_EQ(Olympus({Short(0x100F, {1})}, GetParam(), "C2500L").items[74], "SOFT");
    EXPECT_EQ(Olympus({Short(0x100F, {2})}, GetParam(), "C2500L").items[74], "?2");
    EXPECT_EQ(Olympus({Short(0x100F, {1})}, GetParam(), "C3030Z").items[74], "HARD");
}

TEST_P(MakerNote, DecoderDependsOnMakerThenModel) {
    const std::vector<Entry> nikonEntries = {Ascii(0x0003, "COLOR"), Short(0x0201, {2})};
    // Olympus maker with an E990 model: the Olympus rules read the same entries.
    ReadResult r =
        ReadLayout(MakerLayout("OLYMPUS", "E990", Note(kOlympusHeader, nikonEntries)), GetParam());
    EXPECT_EQ(r.items[59], "HQ");
    EXPECT_EQ(r.items[61], "---");
    // E990 under another maker name: Nikon rules.
    r = ReadLayout(MakerLayout("Somebody", "E990", Note("", nikonEntries)), GetParam());
    EXPECT_EQ(r.items[61], Nul("COLOR"));
    EXPECT_EQ(r.items[59], "---");
    // Neither: nothing decoded, the raw note is the text of item 37.
    r = ReadLayout(MakerLayout("Canon", "EOS", Note("", nikonEntries)), GetParam());
    EXPECT_EQ(r.items[61], "---");
    EXPECT_EQ(r.items[34], "昼光");
    EXPECT_NE(r.items[37], "---");
    // The tests are case-sensitive.
    r = ReadLayout(MakerLayout("Olympus", "e990", Note(kOlympusHeader, nikonEntries)), GetParam());
    EXPECT_EQ(r.items[59], "---");
    EXPECT_EQ(r.items[61], "---");
}

TEST_P(MakerNote, LongEntryIsSkippedAndTheWalkGoesOn) {
    const ReadResult r =
        Olympus({RawField(0x0209, 7, 1025, 0), Short(0x0201, {1}), Short(0x0202, {0})}, GetParam());
    EXPECT_EQ(r.items[59], "SQ");
    EXPECT_EQ(r.items[58], "標準");
}

TEST_P(MakerNote, TextIsTheRawNote) {
    const ReadResult r = Nikon({Short(0x0002, {0, 100})}, GetParam());
    const std::string& note = r.items[37];
    ASSERT_EQ(note.size(), 2u + 12 + 4);
    EXPECT_EQ(note[0], GetParam() == Order::II ? '\x01' : '\0');
}

// Later Olympus cameras: "OLYMPUS\0" + byte-order mark + version, count at byte 12, value
// offsets from the note's own start, its own byte order.
TEST_P(MakerNote, LaterOlympusLayoutIsDecodedWithItsOwnBase) {
    for (Order noteOrder : {Order::II, Order::MM}) {
        const std::string header = std::string("OLYMPUS\0", 8) +
                                   (noteOrder == Order::II ? "II" : "MM") + std::string("\3\0", 2);
        MakerNoteLayout note{
            header,
            {Long(0x0200, {3, 5, 1}), Short(0x0201, {2}), Rational(0x0204, {P{0, 100}})},
            true,
            noteOrder};
        const ReadResult r =
            ReadLayout(MakerLayout("OLYMPUS IMAGING CORP.", "u1020", note), GetParam());
        EXPECT_EQ(r.kind, "EXIF");
        EXPECT_EQ(r.items[55], "パノラマ");
        EXPECT_EQ(r.items[56], "5");
        EXPECT_EQ(r.items[59], "HQ");
        EXPECT_EQ(r.items[60], "なし");
    }
}

TEST_P(MakerNote, NoteOutsideTheFileChangesNothing) {
    TiffLayout tiff = MakerLayout("OLYMPUS", "C", Note(kOlympusHeader, {Short(0x0201, {2})}));
    tiff.exif[1] = RawField(0x927C, 7, 4, 0x00FFFFF0);
    const ReadResult r = ReadLayout(tiff, GetParam());
    EXPECT_EQ(r.kind, "EXIF");
    EXPECT_EQ(r.items[59], "---");
    EXPECT_EQ(r.items[34], "昼光");
}

INSTANTIATE_TEST_SUITE_P(Orders, MakerNote, ::testing::Values(Order::II, Order::MM), OrderName);

} // namespace
} // namespace kamelune::test
