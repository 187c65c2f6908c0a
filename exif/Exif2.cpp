#include "Exif2.h"

#include "platform/Cp932.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kamelune {
namespace {

// Text of value bytes taken byte by byte (NUL kept), decoded as CP932.
std::string ByteText(const std::uint8_t* p, int n) {
    return Cp932ToUtf8(std::string_view(reinterpret_cast<const char*>(p), n > 0 ? n : 0));
}

std::string ValueText(const ValueBytes& v) {
    return ByteText(v.bytes.data(), v.TextLength());
}

struct Named {
    int value;
    const char* text;
};

// The named text of n, else "?" followed by n.
template <std::size_t N> std::string Enum(const Named (&names)[N], int n) {
    for (const Named& x : names)
        if (x.value == n) return x.text;
    return "?" + std::to_string(n);
}

constexpr Named kOrientation[] = {
    {1, "left,top"}, {3, "right,bottom"}, {6, "right,top"}, {8, "left,bottom"}};
constexpr Named kMetering[] = {
    {1, "平均測光"}, {2, "中央重点"}, {3, "スポット"}, {4, "多点スポット"}, {5, "分割測光"}};
constexpr Named kLightSource[] = {
    {0, "オート"}, {1, "昼光"}, {2, "蛍光灯"}, {3, "白熱電球"}, {10, "ﾌﾗｯｼｭ"}};
constexpr Named kExposureProgram[] = {{1, "ﾏﾆｭｱﾙ"}, {2, "通常"}, {3, "絞り優先"}, {4, "ｼｬｯﾀｰ優先"},
                                      {5, "Slow"},  {6, "Fast"}, {7, "ﾎﾟｰﾄﾚｲﾄ"}};
constexpr Named kFlash[] = {{0, "OFF"}, {1, "ON"}};
constexpr Named kResolutionUnit[] = {{1, "no Unit"}, {2, "inch"}, {3, "cm"}};
constexpr Named kYCbCrPositioning[] = {{1, "center"}, {2, "original point"}};
constexpr Named kSensingMethod[] = {
    {1, "Not defined"}, {2, "1-chip color"}, {3, "2-chip color"},    {4, "3-chip color"},
    {5, "Color seq."},  {7, "Trilinear"},    {8, "Color seq.linear"}};

constexpr Named kOlympusQuality[] = {{1, "SQ"}, {2, "HQ"}, {3, "SHQ"}};
constexpr Named kOlympusMacro[] = {{0, "標準"}, {1, "マクロ"}};
constexpr Named kOlympusSharpnessC2500[] = {{0, "NORMAL"}, {1, "SOFT"}};
constexpr Named kOlympusSharpness[] = {{0, "NORMAL"}, {1, "HARD"}, {2, "SOFT"}};
constexpr Named kOlympusContrast[] = {{0, "HIGH"}, {1, "NORMAL"}, {2, "LOW"}};
constexpr const char* kSpecialMode[] = {"通常", "不明", "速写", "パノラマ"};
constexpr const char* kPanoramaDirection[] = {"なし", "左->右", "右->左", "下->上", "上->下"};

struct Rational {
    std::uint32_t n, d;
};

Rational RationalAt(const TiffStream& s, const ValueBytes& v, int k) {
    return {s.U32(v.bytes.data() + 8 * k), s.U32(v.bytes.data() + 8 * k + 4)};
}

// "%8d/%8d" of a rational (signed 32-bit print, as printf would show it).
std::string PairText(std::uint32_t n, std::uint32_t d, int width) {
    return FormatInt(static_cast<std::int32_t>(n), width) + "/" +
           FormatInt(static_cast<std::int32_t>(d), width);
}

// Shown as a plain number: integers without decimals, others with up to two.
std::string PlainQuotient(std::uint32_t n, std::uint32_t d) {
    if (n % d == 0) return std::to_string(n / d);
    std::string t = FormatFixed(static_cast<double>(n) / d, 2);
    while (t.back() == '0')
        t.pop_back();
    return t;
}

std::string ExposureTimeText(std::uint32_t n, std::uint32_t d) {
    // Longer than a second: the time in seconds ("2", "2.5"); the rule below would say "1/0".
    if (d != 0 && n > d) {
        const double seconds = static_cast<double>(n) / d;
        if (n % d == 0) return std::to_string(n / d);
        return FormatFixed(seconds, 1);
    }
    if (n != 0) {
        d = d / n;
        n = 1;
    }
    return FormatInt(static_cast<std::int32_t>(n)) + "/" + FormatInt(static_cast<std::int32_t>(d));
}

std::string UnsignedRationalText(std::uint16_t tag, Rational r) {
    const auto [n, d] = r;
    switch (tag) {
    case 0x829A:
        return ExposureTimeText(n, d);
    case 0x829D:
        return d ? FormatFixed(static_cast<double>(n) / d, 1, 3) : PairText(n, d, 8);
    case 0x920A:
        return d ? FormatFixed(static_cast<double>(n) / d, 1, 3) + "mm" : PairText(n, d, 8);
    case 0x9202:
    case 0x9205:
        return d ? FormatFixed(std::pow(std::sqrt(2.0), static_cast<double>(n) / d), 1, 3)
                 : "?" + PairText(n, d, 8);
    default: // resolutions and compressed bits per pixel
        return d ? PlainQuotient(n, d) : PairText(n, d, 8);
    }
}

std::string SignedRationalText(std::uint16_t tag, std::int32_t n, std::int32_t d) {
    if (tag == 0x9201) {
        if (d == 0) return "?" + FormatInt(n, 8) + "/" + FormatInt(d, 8);
        return "1/" + FormatFixed(std::pow(2.0, static_cast<double>(n) / d), 1, 3);
    }
    if (d == 0) return "?" + FormatInt(n, 4) + "/" + FormatInt(d, 4);
    return FormatFixed(static_cast<double>(n) / d, 1, 3);
}

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

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

} // namespace

std::string TagText(std::uint16_t tag) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%04X", tag);
    return buffer;
}

std::string FormatInt(std::int32_t v, int width) {
    std::string t = std::to_string(v);
    if (static_cast<int>(t.size()) < width)
        t.insert(0, static_cast<std::size_t>(width) - t.size(), ' ');
    return t;
}

std::string FormatFixed(double v, int decimals, int width) {
    // to_chars ignores the process locale, which the GUI sets from the user's.
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    std::string t = ec == std::errc() ? std::string(buffer, end) : std::string("?");
    if (static_cast<int>(t.size()) < width)
        t.insert(0, static_cast<std::size_t>(width) - t.size(), ' ');
    return t;
}

bool FormatTagValue(TiffStream& s, const DirEntry& e, std::string& text, ExifItemTexts& items) {
    text.clear();
    const std::uint8_t* field = e.field.data();
    const std::uint32_t value32 = s.U32(field);
    const std::uint16_t first16 = s.U16(field);
    const std::uint16_t second16 = s.U16(field + 2);

    if (e.tag == 0x8769) {
        text = FormatInt(static_cast<std::int32_t>(value32));
        return true;
    }
    ValueBytes v;
    LoadValueBytes(s, e, s.tiffBase, v);
    if (v.tooLong) {
        text = "BADDATA";
        return false;
    }

    switch (e.tag) {
    case 0x9000:
    case 0xA000:
        text = ByteText(field, 4);
        return true;
    case 0x9101: {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%02X%02X%02X%02X", field[0], field[1], field[2], field[3]);
        text = hex;
        return true;
    }
    case 0x927C: {
        const std::int64_t resume = s.Pos();
        if (Contains(items[kItemMaker], "OLYM"))
            ReadOlympusNote(s, static_cast<std::int32_t>(value32), items);
        else if (Contains(items[kItemModel], "E990"))
            ReadNikonNote(s, static_cast<std::int32_t>(value32), items);
        s.Seek(resume);
        text = ValueText(v);
        return true;
    }
    case 0xA300:
    case 0xA301:
        text = "?" + ByteText(v.bytes.data(), 1);
        return true;
    case 0x010E:
    case 0x010F:
    case 0x0110:
    case 0x0131:
    case 0x0132:
    case 0x8298:
    case 0x9003:
    case 0x9004:
    case 0xA004:
    case 0x9286:
        text = ValueText(v);
        return true;
    case 0x0112:
        text = Enum(kOrientation, first16);
        return true;
    case 0x9207:
        text = Enum(kMetering, first16);
        return true;
    case 0x9208:
        text = Enum(kLightSource, first16);
        return true;
    case 0x8822:
        text = Enum(kExposureProgram, first16);
        return true;
    case 0x9209:
        text = Enum(kFlash, first16);
        return true;
    case 0xA002:
    case 0xA003:
        // Widths and heights are often LONG; their first 16 bits would be the high half.
        text =
            e.type == 4 ? FormatInt(static_cast<std::int32_t>(value32)) : std::to_string(first16);
        return true;
    case 0xA001:
        text = std::to_string(first16);
        return true;
    case 0x0128:
    case 0xA210:
        text = Enum(kResolutionUnit, first16);
        return true;
    case 0xA217:
        text = Enum(kSensingMethod, first16);
        return true;
    case 0x0213:
        text = Enum(kYCbCrPositioning, first16);
        return true;
    case 0x8827:
        text = second16 == 0 ? std::to_string(first16)
                             : std::to_string(first16) + "/" + std::to_string(second16);
        return true;
    case 0xA005:
        text = FormatInt(static_cast<std::int32_t>(value32));
        return true;
    case 0x829A:
    case 0x829D:
    case 0x920A:
    case 0x9202:
    case 0x9205:
    case 0x011A:
    case 0x011B:
    case 0x9102:
    case 0xA20E:
    case 0xA20F:
        text = UnsignedRationalText(e.tag, RationalAt(s, v, 0));
        return true;
    case 0x9201:
    case 0x9204:
    case 0x9206: {
        const Rational r = RationalAt(s, v, 0);
        text = SignedRationalText(e.tag, static_cast<std::int32_t>(r.n),
                                  static_cast<std::int32_t>(r.d));
        return true;
    }
    case 0x013E: {
        const Rational a = RationalAt(s, v, 0), b = RationalAt(s, v, 1);
        text = PairText(a.n, a.d, 8) + "," + PairText(b.n, b.d, 8);
        return true;
    }
    case 0x0211:
    case 0x9203: {
        // Brightness holds one rational: the second and third read as 0/0 (bytes the entry
        // does not supply are zero), which gives the raw form below.
        const Rational r[3] = {RationalAt(s, v, 0), RationalAt(s, v, 1), RationalAt(s, v, 2)};
        if (r[0].d && r[1].d && r[2].d) {
            text = FormatFixed(static_cast<double>(r[0].n) / r[0].d, 2) + "," +
                   FormatFixed(static_cast<double>(r[1].n) / r[1].d, 2) + "," +
                   FormatFixed(static_cast<double>(r[2].n) / r[2].d, 2);
        } else {
            text = "?" + PairText(r[0].n, r[0].d, 8) + "," + PairText(r[1].n, r[1].d, 8) + "," +
                   PairText(r[2].n, r[2].d, 8);
        }
        return true;
    }
    case 0x0214:
    case 0x013F:
        for (int k = 0; k < 6; ++k) {
            const Rational r = RationalAt(s, v, k);
            if (k) text += ",";
            text += PairText(r.n, r.d, 8);
        }
        return true;
    default:
        return true; // no text for other tags
    }
}

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
