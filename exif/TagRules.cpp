#include "TagRules.h"

#include "MakerNotes.h"
#include "platform/Cp932.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace kamelune {

// Text of value bytes taken byte by byte (NUL kept), decoded as CP932.
std::string ByteText(const std::uint8_t* p, int n) {
    return Cp932ToUtf8(std::string_view(reinterpret_cast<const char*>(p), n > 0 ? n : 0));
}

std::string ValueText(const ValueBytes& v) {
    return ByteText(v.bytes.data(), v.TextLength());
}

// The named text of n, else "?" followed by n.
std::string Enum(std::span<const Named> names, int n) {
    for (const Named& x : names)
        if (x.value == n) return x.text;
    return "?" + std::to_string(n);
}

Rational RationalAt(const TiffStream& s, const ValueBytes& v, int k) {
    return {s.U32(v.bytes.data() + 8 * k), s.U32(v.bytes.data() + 8 * k + 4)};
}

// "%8d/%8d" of a rational (signed 32-bit print, as printf would show it).
std::string PairText(std::uint32_t n, std::uint32_t d, int width) {
    return FormatInt(static_cast<std::int32_t>(n), width) + "/" +
           FormatInt(static_cast<std::int32_t>(d), width);
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

namespace {

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

// The items of today's cameras (after item 75).
constexpr Named kExposureMode[] = {{0, "オート"}, {1, "ﾏﾆｭｱﾙ"}, {2, "ｵｰﾄﾌﾞﾗｹｯﾄ"}};
constexpr Named kWhiteBalance[] = {{0, "オート"}, {1, "ﾏﾆｭｱﾙ"}};
constexpr Named kSceneCaptureType[] = {{0, "標準"}, {1, "風景"}, {2, "ﾎﾟｰﾄﾚｲﾄ"}, {3, "夜景"}};
constexpr Named kContrastOrSharpness[] = {{0, "標準"}, {1, "弱"}, {2, "強"}};
constexpr Named kSaturation[] = {{0, "標準"}, {1, "低"}, {2, "高"}};
constexpr Named kSubjectDistanceRange[] = {{0, "不明"}, {1, "マクロ"}, {2, "近景"}, {3, "遠景"}};

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

// "a" or "a-b" of two rationals printed "%3.1f". A zero denominator is unknown: an unknown first
// leaves the pair out (""), an unknown second is "a-?" (a lone "a" would read as a prime lens).
std::string RangeText(Rational a, Rational b) {
    if (!a.d) return {};
    const std::string low = FormatFixed(static_cast<double>(a.n) / a.d, 1, 3);
    if (!b.d) return low + "-?";
    if (static_cast<std::uint64_t>(a.n) * b.d == static_cast<std::uint64_t>(b.n) * a.d) return low;
    return low + "-" + FormatFixed(static_cast<double>(b.n) / b.d, 1, 3);
}

// LensSpecification: focal lengths and the F numbers at both ends.
std::string LensSpecText(Rational minFocal, Rational maxFocal, Rational minF, Rational maxF) {
    const std::string focal = RangeText(minFocal, maxFocal);
    const std::string f = RangeText(minF, maxF);
    if (focal.empty() && f.empty()) return kNoValue;
    std::string text = focal.empty() ? std::string() : focal + "mm";
    if (!f.empty()) text += (text.empty() ? "F" : " F") + f;
    return text;
}

// How a tag's value becomes its text.
enum class Rule {
    Pointer,        // the EXIF directory's offset
    Text,           // the value bytes (NUL kept)
    FourBytes,      // the four bytes of the field (versions)
    Hex4,           // the four bytes of the field in hexadecimal
    MakerNote,      // the camera's decoder runs, then the value bytes
    QuestionByte,   // "?" and the first value byte
    Named,          // a name for the first 16 bits, else "?" and the number
    Short,          // the first 16 bits
    Dimension,      // SHORT or LONG
    IsoSpeed,       // one or two 16-bit numbers
    Long,           // the field as a signed 32-bit number
    ExposureTime,   // "1/n", or seconds when longer than one
    FNumber,        // "%3.1f"
    FocalLength,    // "%3.1fmm"
    ApexAperture,   // F number from the APEX value
    Quotient,       // a plain number
    ApexShutter,    // "1/%3.1f" from the APEX value
    SignedFixed,    // "%3.1f" of a signed rational
    WhitePoint,     // two rationals as they are stored
    ThreeRationals, // three numbers "%.2f", else the raw rationals
    SixRationals,   // six rationals as they are stored
    LensSpec,       // "18.0-55.0mm F3.5-5.6" from four rationals; unknown parts left out
    FocalLength35,  // "%3.1fmm" of a 16-bit number; 0 (unknown) gives "---"
    ZoomRatio,      // "%3.1f"; a zero denominator gives "---"
    // Maker notes: each writes its item (or items) itself.
    NoteText,            // the value bytes
    NoteNamed,           // a name for the first 16 bits
    SpecialMode,         // Olympus: mode, then the panorama number and direction items
    OlympusDigitalZoom,  // "なし", "２倍" or the rational
    OlympusSharpness,    // named as the model names it (the C2500 has its own names)
    OlympusWhiteBalance, // "AUTO", a preset temperature, one-touch, or both numbers
    NikonIso,            // "Auto" or the second 16 bits
    NikonFocus,          // "AF" or the rational
    NikonDigitalZoom,    // "光学ズーム" or the rational
    NikonAfArea,         // the area's name
};

// Where a tag is read: IFD0, the EXIF directory, or the maker note of a camera the reader knows.
enum class Dir { Ifd0, Exif, OlympusNote, NikonE990Note };

struct TagRule {
    std::uint16_t tag;
    Dir dir;  // the directory whose entry gives the item
    int item; // the item its text goes to
    Rule rule;
    std::span<const Named> names = {};
};

constexpr Named kOlympusQuality[] = {{1, "SQ"}, {2, "HQ"}, {3, "SHQ"}};
constexpr Named kOlympusMacro[] = {{0, "標準"}, {1, "マクロ"}};
constexpr Named kOlympusSharpnessC2500[] = {{0, "NORMAL"}, {1, "SOFT"}};
constexpr Named kOlympusSharpness[] = {{0, "NORMAL"}, {1, "HARD"}, {2, "SOFT"}};
constexpr Named kOlympusContrast[] = {{0, "HIGH"}, {1, "NORMAL"}, {2, "LOW"}};
constexpr const char* kSpecialMode[] = {"通常", "不明", "速写", "パノラマ"};
constexpr const char* kPanoramaDirection[] = {"なし", "左->右", "右->左", "下->上", "上->下"};
constexpr Named kNikonAfAreas[] = {
    {0, "中央"}, {256, "上"}, {512, "下"}, {768, "左"}, {1024, "右"}};

// Every tag the reader knows, by directory. A tag of IFD0 or the EXIF directory read in the other
// one still gets its text (a maker note there still runs its decoder) but gives no item. The
// maker notes' tags follow, a table for each camera.
constexpr TagRule kTagRules[] = {
    {0x010E, Dir::Ifd0, kItemImageDescription, Rule::Text},
    {0x010F, Dir::Ifd0, kItemMaker, Rule::Text},
    {0x0110, Dir::Ifd0, kItemModel, Rule::Text},
    {0x0112, Dir::Ifd0, kItemOrientation, Rule::Named, kOrientation},
    {0x011A, Dir::Ifd0, kItemXResolution, Rule::Quotient},
    {0x011B, Dir::Ifd0, kItemYResolution, Rule::Quotient},
    {0x0128, Dir::Ifd0, kItemResolutionUnit, Rule::Named, kResolutionUnit},
    {0x0131, Dir::Ifd0, kItemSoftware, Rule::Text},
    {0x0132, Dir::Ifd0, kItemDateTime, Rule::Text},
    {0x013E, Dir::Ifd0, kItemWhitePoint, Rule::WhitePoint},
    {0x013F, Dir::Ifd0, kItemPrimaryChromaticities, Rule::SixRationals},
    {0x0211, Dir::Ifd0, kItemYCbCrCoefficients, Rule::ThreeRationals},
    {0x0213, Dir::Ifd0, kItemYCbCrPositioning, Rule::Named, kYCbCrPositioning},
    {0x0214, Dir::Ifd0, kItemReferenceBlackWhite, Rule::SixRationals},
    {0x8298, Dir::Ifd0, kItemCopyright, Rule::Text},
    {0x8769, Dir::Ifd0, kItemExifOffset, Rule::Pointer},
    {0x829A, Dir::Exif, kItemExposureTime, Rule::ExposureTime},
    {0x829D, Dir::Exif, kItemFNumber, Rule::FNumber},
    {0x8822, Dir::Exif, kItemExposureProgram, Rule::Named, kExposureProgram},
    {0x8827, Dir::Exif, kItemIsoSpeed, Rule::IsoSpeed},
    {0x9000, Dir::Exif, kItemExifVersion, Rule::FourBytes},
    {0x9003, Dir::Exif, kItemDateTimeOriginal, Rule::Text},
    {0x9004, Dir::Exif, kItemDateTimeDigitized, Rule::Text},
    {0x9101, Dir::Exif, kItemComponentsConfiguration, Rule::Hex4},
    {0x9102, Dir::Exif, kItemCompressedBitsPerPixel, Rule::Quotient},
    {0x9201, Dir::Exif, kItemShutterSpeed, Rule::ApexShutter},
    {0x9202, Dir::Exif, kItemAperture, Rule::ApexAperture},
    {0x9203, Dir::Exif, kItemBrightness, Rule::ThreeRationals},
    {0x9204, Dir::Exif, kItemExposureBias, Rule::SignedFixed},
    {0x9205, Dir::Exif, kItemMaxAperture, Rule::ApexAperture},
    {0x9206, Dir::Exif, kItemSubjectDistance, Rule::SignedFixed},
    {0x9207, Dir::Exif, kItemMeteringMode, Rule::Named, kMetering},
    {0x9208, Dir::Exif, kItemLightSource, Rule::Named, kLightSource},
    {0x9209, Dir::Exif, kItemFlash, Rule::Named, kFlash},
    {0x920A, Dir::Exif, kItemFocalLength, Rule::FocalLength},
    {0x927C, Dir::Exif, kItemMakerNote, Rule::MakerNote},
    {0x9286, Dir::Exif, kItemUserComment, Rule::Text},
    {0xA000, Dir::Exif, kItemFlashPixVersion, Rule::FourBytes},
    {0xA001, Dir::Exif, kItemColorSpace, Rule::Short},
    {0xA002, Dir::Exif, kItemExifWidth, Rule::Dimension},
    {0xA003, Dir::Exif, kItemExifHeight, Rule::Dimension},
    {0xA004, Dir::Exif, kItemSoundFile, Rule::Text},
    {0xA005, Dir::Exif, kItemInteropOffset, Rule::Long},
    {0xA20E, Dir::Exif, kItemFocalPlaneXResolution, Rule::Quotient},
    {0xA20F, Dir::Exif, kItemFocalPlaneYResolution, Rule::Quotient},
    {0xA210, Dir::Exif, kItemFocalPlaneResolutionUnit, Rule::Named, kResolutionUnit},
    {0xA217, Dir::Exif, kItemSensingMethod, Rule::Named, kSensingMethod},
    {0xA300, Dir::Exif, kItemFileSource, Rule::QuestionByte},
    {0xA301, Dir::Exif, kItemSceneType, Rule::QuestionByte},
    {0xA433, Dir::Exif, kItemLensMake, Rule::Text},
    {0xA434, Dir::Exif, kItemLensModel, Rule::Text},
    {0xA432, Dir::Exif, kItemLensSpecification, Rule::LensSpec},
    {0xA405, Dir::Exif, kItemFocalLength35mm, Rule::FocalLength35},
    {0xA402, Dir::Exif, kItemExposureMode, Rule::Named, kExposureMode},
    {0xA403, Dir::Exif, kItemWhiteBalance, Rule::Named, kWhiteBalance},
    {0xA406, Dir::Exif, kItemSceneCaptureType, Rule::Named, kSceneCaptureType},
    {0xA404, Dir::Exif, kItemDigitalZoomRatio, Rule::ZoomRatio},
    {0xA408, Dir::Exif, kItemContrast, Rule::Named, kContrastOrSharpness},
    {0xA409, Dir::Exif, kItemSaturation, Rule::Named, kSaturation},
    {0xA40A, Dir::Exif, kItemSharpness, Rule::Named, kContrastOrSharpness},
    {0xA40C, Dir::Exif, kItemSubjectDistanceRange, Rule::Named, kSubjectDistanceRange},
    {0xA431, Dir::Exif, kItemBodySerialNumber, Rule::Text},
    {0xA420, Dir::Exif, kItemImageUniqueId, Rule::Text},
    {0x9011, Dir::Exif, kItemOffsetTimeOriginal, Rule::Text},
    {0x9291, Dir::Exif, kItemSubSecTimeOriginal, Rule::Text},
    {0x0200, Dir::OlympusNote, kItemOlympusSpecialMode, Rule::SpecialMode},
    {0x0201, Dir::OlympusNote, kItemOlympusQuality, Rule::NoteNamed, kOlympusQuality},
    {0x0202, Dir::OlympusNote, kItemOlympusMacro, Rule::NoteNamed, kOlympusMacro},
    {0x0204, Dir::OlympusNote, kItemOlympusDigitalZoom, Rule::OlympusDigitalZoom},
    {0x100F, Dir::OlympusNote, kItemNoteSharpness, Rule::OlympusSharpness},
    {0x1015, Dir::OlympusNote, kItemLightSource, Rule::OlympusWhiteBalance},
    {0x1029, Dir::OlympusNote, kItemNoteContrast, Rule::NoteNamed, kOlympusContrast},
    {0x0002, Dir::NikonE990Note, kItemNikonIso, Rule::NikonIso},
    {0x0003, Dir::NikonE990Note, kItemNikonColor, Rule::NoteText},
    {0x0004, Dir::NikonE990Note, kItemNikonQuality, Rule::NoteText},
    {0x0005, Dir::NikonE990Note, kItemLightSource, Rule::NoteText},
    {0x0006, Dir::NikonE990Note, kItemNoteSharpness, Rule::NoteText},
    {0x0007, Dir::NikonE990Note, kItemNikonFocusMode, Rule::NoteText},
    {0x0008, Dir::NikonE990Note, kItemNikonFlash, Rule::NoteText},
    {0x000F, Dir::NikonE990Note, kItemNikonIsoSelection, Rule::NoteText},
    {0x0080, Dir::NikonE990Note, kItemNikonTone, Rule::NoteText},
    {0x0082, Dir::NikonE990Note, kItemNikonConverter, Rule::NoteText},
    {0x0085, Dir::NikonE990Note, kItemNikonFocusDistance, Rule::NikonFocus},
    {0x0086, Dir::NikonE990Note, kItemNikonDigitalZoom, Rule::NikonDigitalZoom},
    {0x0088, Dir::NikonE990Note, kItemNikonFocusArea, Rule::NikonAfArea, kNikonAfAreas},
};

// The rule of a tag of IFD0 or the EXIF directory.
const TagRule* RuleOf(std::uint16_t tag) {
    // By tag number, the position + 1 of its first rule (0: none): every directory entry of
    // every file looks here.
    static_assert(std::size(kTagRules) < 256);
    static const auto kFirstRule = [] {
        std::array<std::uint8_t, 65536> first{};
        for (std::size_t k = std::size(kTagRules); k-- > 0;)
            if (kTagRules[k].dir == Dir::Ifd0 || kTagRules[k].dir == Dir::Exif)
                first[kTagRules[k].tag] = static_cast<std::uint8_t>(k + 1);
        return first;
    }();
    const std::uint8_t k = kFirstRule[tag];
    return k ? &kTagRules[k - 1] : nullptr;
}

const TagRule* NoteRuleOf(Dir note, std::uint16_t tag) {
    for (const TagRule& r : kTagRules)
        if (r.tag == tag && r.dir == note) return &r;
    return nullptr;
}

// A maker-note entry's items by its rule.
void ApplyNoteRule(TiffStream& s, const TagRule& rule, const DirEntry& e, const ValueBytes& v,
                   ExifItemTexts& items) {
    const std::uint16_t first16 = s.U16(e.field.data());
    const std::uint16_t second16 = s.U16(e.field.data() + 2);
    std::string& text = items[rule.item];
    switch (rule.rule) {
    case Rule::NoteText:
        text = ValueText(v);
        break;
    case Rule::NoteNamed:
        text = Enum(rule.names, first16);
        break;
    case Rule::SpecialMode: {
        const std::uint32_t mode = s.U32(v.bytes.data());
        const std::uint32_t sequence = s.U32(v.bytes.data() + 4);
        if (mode < std::size(kSpecialMode)) text = kSpecialMode[mode];
        items[kItemOlympusPanoramaNumber] = std::to_string(sequence);
        if (mode < std::size(kPanoramaDirection))
            items[kItemOlympusPanoramaDirection] = kPanoramaDirection[mode];
        break;
    }
    case Rule::OlympusDigitalZoom: {
        const Rational r = RationalAt(s, v, 0);
        text = r.n == 0 ? "なし" : r.n == 2 ? "２倍" : PairText(r.n, r.d, 8);
        break;
    }
    case Rule::OlympusSharpness:
        text = Contains(items[kItemModel], "C2500") ? Enum(kOlympusSharpnessC2500, first16)
                                                    : Enum(kOlympusSharpness, first16);
        break;
    case Rule::OlympusWhiteBalance: {
        static constexpr const char* kPresets[] = {"3000K", "3700K", "4000K", "4500K",
                                                   "5500K", "6500K", "7500K"};
        if (first16 == 1 && second16 == 0)
            text = "AUTO";
        else if (first16 == 2 && second16 >= 2 && second16 <= 8)
            text = kPresets[second16 - 2];
        else if (first16 == 3 && second16 == 0)
            text = "ﾜﾝﾀｯﾁWB";
        else
            text = "?" + std::to_string(first16) + "-" + std::to_string(second16);
        break;
    }
    case Rule::NikonIso:
        text = second16 == 0 ? "Auto" : std::to_string(second16);
        break;
    case Rule::NikonFocus: {
        const Rational r = RationalAt(s, v, 0);
        text = r.n == 0 && r.d == 0 ? "AF" : PairText(r.n, r.d, 4);
        break;
    }
    case Rule::NikonDigitalZoom: {
        const Rational r = RationalAt(s, v, 0);
        text = r.n == 100 && r.d == 100 ? "光学ズーム" : PairText(r.n, r.d, 4);
        break;
    }
    case Rule::NikonAfArea: {
        const std::uint32_t area = s.U32(e.field.data());
        for (const Named& a : rule.names)
            if (static_cast<std::uint32_t>(a.value) == area) text = a.text;
        break;
    }
    default:
        break;
    }
}

std::string UnsignedRationalText(Rule rule, Rational r) {
    const auto [n, d] = r;
    switch (rule) {
    case Rule::ExposureTime:
        return ExposureTimeText(n, d);
    case Rule::FNumber:
        return d ? FormatFixed(static_cast<double>(n) / d, 1, 3) : PairText(n, d, 8);
    case Rule::FocalLength:
        return d ? FormatFixed(static_cast<double>(n) / d, 1, 3) + "mm" : PairText(n, d, 8);
    case Rule::ApexAperture:
        return d ? FormatFixed(std::pow(std::sqrt(2.0), static_cast<double>(n) / d), 1, 3)
                 : "?" + PairText(n, d, 8);
    default: // resolutions and compressed bits per pixel
        return d ? PlainQuotient(n, d) : PairText(n, d, 8);
    }
}

std::string SignedRationalText(Rule rule, std::int32_t n, std::int32_t d) {
    if (rule == Rule::ApexShutter) {
        if (d == 0) return "?" + FormatInt(n, 8) + "/" + FormatInt(d, 8);
        return "1/" + FormatFixed(std::pow(2.0, static_cast<double>(n) / d), 1, 3);
    }
    if (d == 0) return "?" + FormatInt(n, 4) + "/" + FormatInt(d, 4);
    return FormatFixed(static_cast<double>(n) / d, 1, 3);
}

} // namespace

void ReadNoteTag(TiffStream& s, MakerNote note, const DirEntry& e, const ValueBytes& v,
                 ExifItemTexts& items) {
    const Dir dir = note == MakerNote::Olympus ? Dir::OlympusNote : Dir::NikonE990Note;
    if (const TagRule* rule = NoteRuleOf(dir, e.tag)) ApplyNoteRule(s, *rule, e, v, items);
}

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

int Ifd0ItemOf(std::uint16_t tag) {
    const TagRule* r = RuleOf(tag);
    return r && r->dir == Dir::Ifd0 ? r->item : 0;
}

int ExifItemOf(std::uint16_t tag) {
    const TagRule* r = RuleOf(tag);
    return r && r->dir == Dir::Exif ? r->item : 0;
}

// The text of a rule whose value is one or more rationals; "" for any other rule.
std::string RationalValueText(Rule rule, TiffStream& s, const DirEntry& e, const ValueBytes& v) {
    switch (rule) {
    case Rule::ExposureTime:
    case Rule::FNumber:
    case Rule::FocalLength:
    case Rule::ApexAperture:
    case Rule::Quotient:
        return UnsignedRationalText(rule, RationalAt(s, v, 0));
    case Rule::ApexShutter:
    case Rule::SignedFixed: {
        const Rational r = RationalAt(s, v, 0);
        return SignedRationalText(rule, static_cast<std::int32_t>(r.n),
                                  static_cast<std::int32_t>(r.d));
    }
    case Rule::WhitePoint: {
        const Rational a = RationalAt(s, v, 0), b = RationalAt(s, v, 1);
        return PairText(a.n, a.d, 8) + "," + PairText(b.n, b.d, 8);
    }
    case Rule::ThreeRationals: {
        // Brightness holds one rational: the second and third read as 0/0 (bytes the entry
        // does not supply are zero), which gives the raw form below.
        const Rational r[3] = {RationalAt(s, v, 0), RationalAt(s, v, 1), RationalAt(s, v, 2)};
        if (r[0].d && r[1].d && r[2].d)
            return FormatFixed(static_cast<double>(r[0].n) / r[0].d, 2) + "," +
                   FormatFixed(static_cast<double>(r[1].n) / r[1].d, 2) + "," +
                   FormatFixed(static_cast<double>(r[2].n) / r[2].d, 2);
        return "?" + PairText(r[0].n, r[0].d, 8) + "," + PairText(r[1].n, r[1].d, 8) + "," +
               PairText(r[2].n, r[2].d, 8);
    }
    case Rule::SixRationals: {
        std::string text;
        for (int k = 0; k < 6; ++k) {
            const Rational r = RationalAt(s, v, k);
            if (k) text += ",";
            text += PairText(r.n, r.d, 8);
        }
        return text;
    }
    case Rule::LensSpec:
        // Four rationals or nothing: fewer would be read from the zeroed bytes after them.
        if (e.type != 5 || e.count != 4) return kNoValue;
        return LensSpecText(RationalAt(s, v, 0), RationalAt(s, v, 1), RationalAt(s, v, 2),
                            RationalAt(s, v, 3));
    case Rule::ZoomRatio: {
        const Rational r = RationalAt(s, v, 0);
        return r.d ? FormatFixed(static_cast<double>(r.n) / r.d, 1, 3) : kNoValue;
    }
    default:
        return {};
    }
}

bool FormatTagValue(TiffStream& s, const DirEntry& e, std::string& text, ExifItemTexts& items) {
    text.clear();
    const std::uint8_t* field = e.field.data();
    const std::uint32_t value32 = s.U32(field);
    const std::uint16_t first16 = s.U16(field);
    const std::uint16_t second16 = s.U16(field + 2);
    const TagRule* rule = RuleOf(e.tag);

    if (rule && rule->rule == Rule::Pointer) {
        text = FormatInt(static_cast<std::int32_t>(value32));
        return true;
    }
    ValueBytes v;
    LoadValueBytes(s, e, s.tiffBase, v);
    if (v.tooLong) {
        text = "BADDATA";
        return false;
    }
    if (!rule) return true; // no text for other tags

    switch (rule->rule) {
    case Rule::Pointer:
        break;
    case Rule::FourBytes:
        text = ByteText(field, 4);
        break;
    case Rule::Hex4: {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%02X%02X%02X%02X", field[0], field[1], field[2], field[3]);
        text = hex;
        break;
    }
    case Rule::MakerNote: {
        const std::int64_t resume = s.Pos();
        if (Contains(items[kItemMaker], "OLYM"))
            ReadOlympusNote(s, static_cast<std::int32_t>(value32), items);
        else if (Contains(items[kItemModel], "E990"))
            ReadNikonNote(s, static_cast<std::int32_t>(value32), items);
        s.Seek(resume);
        text = ValueText(v);
        break;
    }
    case Rule::QuestionByte:
        text = "?" + ByteText(v.bytes.data(), 1);
        break;
    case Rule::Text:
        text = ValueText(v);
        break;
    case Rule::Named:
        text = Enum(rule->names, first16);
        break;
    case Rule::Dimension:
        // Widths and heights are often LONG; their first 16 bits would be the high half.
        text =
            e.type == 4 ? FormatInt(static_cast<std::int32_t>(value32)) : std::to_string(first16);
        break;
    case Rule::Short:
        text = std::to_string(first16);
        break;
    case Rule::IsoSpeed:
        text = second16 == 0 ? std::to_string(first16)
                             : std::to_string(first16) + "/" + std::to_string(second16);
        break;
    case Rule::Long:
        text = FormatInt(static_cast<std::int32_t>(value32));
        break;
    case Rule::FocalLength35:
        text = first16 ? FormatFixed(first16, 1, 3) + "mm" : kNoValue;
        break;
    default: // the rationals; the maker notes' rules (ApplyNoteRule) give none here
        text = RationalValueText(rule->rule, s, e, v);
        break;
    }
    return true;
}

} // namespace kamelune
