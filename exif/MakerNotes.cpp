#include "MakerNotes.h"

#include "TagRules.h"

#include <string_view>

namespace kamelune {
namespace {

constexpr Named kOlympusQuality[] = {{1, "SQ"}, {2, "HQ"}, {3, "SHQ"}};
constexpr Named kOlympusMacro[] = {{0, "標準"}, {1, "マクロ"}};
constexpr Named kOlympusSharpnessC2500[] = {{0, "NORMAL"}, {1, "SOFT"}};
constexpr Named kOlympusSharpness[] = {{0, "NORMAL"}, {1, "HARD"}, {2, "SOFT"}};
constexpr Named kOlympusContrast[] = {{0, "HIGH"}, {1, "NORMAL"}, {2, "LOW"}};
constexpr const char* kSpecialMode[] = {"通常", "不明", "速写", "パノラマ"};
constexpr const char* kPanoramaDirection[] = {"なし", "左->右", "右->左", "下->上", "上->下"};

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
        const std::uint16_t first16 = s.U16(e.field.data());
        const std::uint16_t second16 = s.U16(e.field.data() + 2);
        switch (e.tag) {
        case 0x0200: {
            const std::uint32_t mode = s.U32(v.bytes.data());
            const std::uint32_t sequence = s.U32(v.bytes.data() + 4);
            if (mode < std::size(kSpecialMode)) items[55] = kSpecialMode[mode];
            items[56] = std::to_string(sequence);
            if (mode < std::size(kPanoramaDirection)) items[57] = kPanoramaDirection[mode];
            break;
        }
        case 0x0201:
            items[59] = Enum(kOlympusQuality, first16);
            break;
        case 0x0202:
            items[58] = Enum(kOlympusMacro, first16);
            break;
        case 0x0204: {
            const Rational r = RationalAt(s, v, 0);
            items[60] = r.n == 0 ? "なし" : r.n == 2 ? "２倍" : PairText(r.n, r.d, 8);
            break;
        }
        case 0x100F:
            items[74] = Contains(items[kItemModel], "C2500") ? Enum(kOlympusSharpnessC2500, first16)
                                                             : Enum(kOlympusSharpness, first16);
            break;
        case 0x1029:
            items[75] = Enum(kOlympusContrast, first16);
            break;
        case 0x1015: {
            static constexpr const char* kPresets[] = {"3000K", "3700K", "4000K", "4500K",
                                                       "5500K", "6500K", "7500K"};
            if (first16 == 1 && second16 == 0)
                items[kItemLightSource] = "AUTO";
            else if (first16 == 2 && second16 >= 2 && second16 <= 8)
                items[kItemLightSource] = kPresets[second16 - 2];
            else if (first16 == 3 && second16 == 0)
                items[kItemLightSource] = "ﾜﾝﾀｯﾁWB";
            else
                items[kItemLightSource] =
                    "?" + std::to_string(first16) + "-" + std::to_string(second16);
            break;
        }
        default:
            break;
        }
    });
}

void ReadNikonNote(TiffStream& s, std::int64_t makerNoteOffset, ExifItemTexts& items) {
    const NoteLayout layout{s.tiffBase + makerNoteOffset, s.tiffBase, s.order};
    WalkNote(s, layout, [&](const DirEntry& e, const ValueBytes& v) {
        int textItem = 0;
        switch (e.tag) {
        case 0x0002: {
            const std::uint16_t iso = s.U16(e.field.data() + 2);
            items[68] = iso == 0 ? "Auto" : std::to_string(iso);
            break;
        }
        case 0x0003:
            textItem = 61;
            break;
        case 0x0004:
            textItem = 62;
            break;
        case 0x0005:
            textItem = kItemLightSource;
            break;
        case 0x0006:
            textItem = 74;
            break;
        case 0x0007:
            textItem = 65;
            break;
        case 0x0008:
            textItem = 66;
            break;
        case 0x000F:
            textItem = 69;
            break;
        case 0x0080:
            textItem = 67;
            break;
        case 0x0082:
            textItem = 70;
            break;
        case 0x0085: {
            const Rational r = RationalAt(s, v, 0);
            items[72] = r.n == 0 && r.d == 0 ? "AF" : PairText(r.n, r.d, 4);
            break;
        }
        case 0x0086: {
            const Rational r = RationalAt(s, v, 0);
            items[73] = r.n == 100 && r.d == 100 ? "光学ズーム" : PairText(r.n, r.d, 4);
            break;
        }
        case 0x0088: {
            static constexpr Named kAreas[] = {
                {0, "中央"}, {256, "上"}, {512, "下"}, {768, "左"}, {1024, "右"}};
            const std::uint32_t area = s.U32(e.field.data());
            for (const Named& a : kAreas)
                if (static_cast<std::uint32_t>(a.value) == area) items[71] = a.text;
            break;
        }
        default:
            break;
        }
        if (textItem) items[textItem] = ValueText(v);
    });
}

} // namespace kamelune
