// The Olympus and Nikon E990 maker notes: which camera's decoder runs, and notes that are long,
// later or outside the file. Each tag's texts are cases in tests/data/exif-entries.tsv.
#include "ExifTestUtil.h"

namespace kamelune::test {

using P = std::pair<std::uint32_t, std::uint32_t>;

ReadResult Olympus(std::vector<Entry> entries, Order order, const std::string& model = "C3030Z") {
    return ReadLayout(
        MakerLayout("OLYMPUS OPTICAL CO.,LTD", model, Note(kOlympusHeader, std::move(entries))),
        order);
}

ReadResult Nikon(std::vector<Entry> entries, Order order) {
    return ReadLayout(MakerLayout("NIKON", "E990", Note("", std::move(entries))), order);
}

class MakerNotes : public BothOrders {};

TEST_P(MakerNotes, SharpnessDependsOnC2500Model) {
    EXPECT_EQ(Olympus({Short(0x100F, {1})}, GetParam(), "C2500L").items[74], "SOFT");
    EXPECT_EQ(Olympus({Short(0x100F, {2})}, GetParam(), "C2500L").items[74], "?2");
    EXPECT_EQ(Olympus({Short(0x100F, {1})}, GetParam(), "C3030Z").items[74], "HARD");
}

TEST_P(MakerNotes, DecoderDependsOnMakerThenModel) {
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

TEST_P(MakerNotes, LongEntryIsSkippedAndTheWalkGoesOn) {
    const ReadResult r =
        Olympus({RawField(0x0209, 7, 1025, 0), Short(0x0201, {1}), Short(0x0202, {0})}, GetParam());
    EXPECT_EQ(r.items[59], "SQ");
    EXPECT_EQ(r.items[58], "標準");
}

TEST_P(MakerNotes, TextIsTheRawNote) {
    const ReadResult r = Nikon({Short(0x0002, {0, 100})}, GetParam());
    const std::string& note = r.items[37];
    ASSERT_EQ(note.size(), 2u + 12 + 4);
    EXPECT_EQ(note[0], GetParam() == Order::II ? '\x01' : '\0');
}

// Later Olympus cameras: "OLYMPUS\0" + byte-order mark + version, count at byte 12, value
// offsets from the note's own start, its own byte order.
TEST_P(MakerNotes, LaterOlympusLayoutIsDecodedWithItsOwnBase) {
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

TEST_P(MakerNotes, NoteOutsideTheFileChangesNothing) {
    TiffLayout tiff = MakerLayout("OLYMPUS", "C", Note(kOlympusHeader, {Short(0x0201, {2})}));
    tiff.exif[1] = RawField(0x927C, 7, 4, 0x00FFFFF0);
    const ReadResult r = ReadLayout(tiff, GetParam());
    EXPECT_EQ(r.kind, "EXIF");
    EXPECT_EQ(r.items[59], "---");
    EXPECT_EQ(r.items[34], "昼光");
}

INSTANTIATE_TEST_SUITE_P(Orders, MakerNotes, ::testing::Values(Order::II, Order::MM), OrderName);

} // namespace kamelune::test
