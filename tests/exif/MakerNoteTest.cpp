// The Olympus and Nikon E990 maker notes: notes that are raw text, later or outside the file. Each
// tag's texts, and which camera's decoder runs, are cases in tests/data/exif-entries.tsv.
#include "ExifTestUtil.h"

namespace kamelune::test {

ReadResult Nikon(std::vector<Entry> entries, Order order) {
    return ReadLayout(MakerLayout("NIKON", "E990", Note("", std::move(entries))), order);
}

class MakerNotes : public BothOrders {};

TEST_P(MakerNotes, TextIsTheRawNote) {
    const ReadResult r = Nikon({E("0002 short 0 100")}, GetParam());
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
        MakerNoteLayout note{header, Entries("0200 long 3 5 1;0201 short 2;0204 rational 0/100"),
                             true, noteOrder};
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
    TiffLayout tiff = MakerLayout("OLYMPUS", "C", Note(kOlympusHeader, {E("0201 short 2")}));
    tiff.exif[1] = E("927C raw 7 4 0x00FFFFF0");
    const ReadResult r = ReadLayout(tiff, GetParam());
    EXPECT_EQ(r.kind, "EXIF");
    EXPECT_EQ(r.items[59], "---");
    EXPECT_EQ(r.items[34], "昼光");
}

INSTANTIATE_TEST_SUITE_P(Orders, MakerNotes, ::testing::Values(Order::II, Order::MM), OrderName);

} // namespace kamelune::test
