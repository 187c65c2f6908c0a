#include "MakerNotes.h"

#include "TagRules.h"

#include <string_view>

namespace kamelune {
namespace {

// Offset base and byte order of a maker note's values.
struct NoteLayout {
    std::int64_t entries;   // position of the entry count
    std::int64_t valueBase; // what value offsets count from
    ByteOrder order;
};

// Walks a maker-note directory, calling rule(entry, value) for each entry whose value is at
// most 1,024 bytes. The byte order of the stream is the note's while the walk runs.
template <typename Rule> void WalkNote(TiffStream& s, const NoteLayout& layout, Rule rule) {
    const ByteOrder mainOrder = s.order;
    s.order = layout.order;
    s.Seek(layout.entries);
    const std::uint16_t count = s.ReadU16();
    ValueBytes v;
    for (unsigned i = 0; i < count && s.noteEntryBudget > 0; ++i, --s.noteEntryBudget) {
        const DirEntry e = ReadDirEntry(s);
        LoadValueBytes(s, e, layout.valueBase, v);
        if (!v.tooLong) rule(e, v);
    }
    s.order = mainOrder;
}

} // namespace

void ReadOlympusNote(TiffStream& s, std::int64_t makerNoteOffset, ExifItemTexts& items) {
    const std::int64_t start = s.tiffBase + makerNoteOffset;
    NoteLayout layout{start + 8, s.tiffBase, s.order};
    // Later cameras: "OLYMPUS\0", a byte-order mark and two version bytes, the count at byte 12,
    // value offsets from the note's own start.
    std::uint8_t head[10];
    s.ReadAt(start, head, sizeof head);
    if (std::string_view(reinterpret_cast<const char*>(head), 8) ==
            std::string_view("OLYMPUS\0", 8) &&
        ((head[8] == 'I' && head[9] == 'I') || (head[8] == 'M' && head[9] == 'M'))) {
        layout = {start + 12, start, head[8] == 'I' ? ByteOrder::Little : ByteOrder::Big};
    }
    WalkNote(s, layout, [&](const DirEntry& e, const ValueBytes& v) {
        ReadNoteTag(s, MakerNote::Olympus, e, v, items);
    });
}

void ReadNikonNote(TiffStream& s, std::int64_t makerNoteOffset, ExifItemTexts& items) {
    const NoteLayout layout{s.tiffBase + makerNoteOffset, s.tiffBase, s.order};
    WalkNote(s, layout, [&](const DirEntry& e, const ValueBytes& v) {
        ReadNoteTag(s, MakerNote::NikonE990, e, v, items);
    });
}

} // namespace kamelune
