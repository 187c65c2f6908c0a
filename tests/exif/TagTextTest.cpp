// The text of each tag rule, in both byte orders.
#include "ExifTestUtil.h"

#include "exif/TagRules.h"

namespace kamelune::test {
namespace {

struct TagCase {
    const char* name;
    Entry entry;
    int item;
    std::string expected;
    bool inIfd0 = false;
};

class TagRule : public ::testing::TestWithParam<std::tuple<TagCase, Order>> {};

TEST_P(TagRule, ReadsAsExpected) {
    const auto& [c, order] = GetParam();
    TiffLayout tiff;
    tiff.ifd0 = {Ascii(0x010F, "Maker")};
    if (c.inIfd0)
        tiff.ifd0.push_back(c.entry);
    else
        tiff.exif = {c.entry};
    tiff.exifPointer = !c.inIfd0;
    const ReadResult r = ReadLayout(tiff, order);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.items[c.item], c.expected);
}

using P = std::pair<std::uint32_t, std::uint32_t>;
using S = std::pair<std::int32_t, std::int32_t>;

const TagCase kCases[] = {
    // Byte texts
    {"ExifVersion", Bytes(0x9000, "0210"), 22, "0210"},
    {"FlashPixVersion", Bytes(0xA000, "0100"), 39, "0100"},
    {"ComponentsConfiguration", Bytes(0x9101, std::string("\x01\x02\x03\x00", 4)), 25, "01020300"},
    {"FileSourceByte3", Bytes(0xA300, "\x03"), 49, "?\x03"},
    {"SceneTypeByte1", Bytes(0xA301, "\x01"), 50, "?\x01"},
    {"DateTimeKeepsNul", Ascii(0x0132, "2004:01:02 03:04:05"), 10, Nul("2004:01:02 03:04:05"),
     true},
    {"ShortTextInValueField", Ascii(0x0131, "abc"), 9, Nul("abc"), true},
    {"ZeroLengthText", Bytes(0x8298, "", 2), 16, "", true},
    {"ShiftJisText", Ascii(0x010E, "\x93\xFA\x96\x7B\xB6\xD2\xD7"), 2, Nul("日本ｶﾒﾗ"), true},
    {"InvalidLeadByteKept",
     Bytes(0x010E,
           "a\x81\x20"
           "b\xFF",
           2),
     2, "a\u0081 b\u00FF", true},
    {"UserCommentKeepsPrefix", Bytes(0x9286, std::string("ASCII\0\0\0hi", 10)), 38,
     std::string("ASCII\0\0\0hi", 10)},
    // Names: one lookup for every named tag (flash is compared with another tool on the samples)
    {"OrientationKnown", Short(0x0112, {6}), 5, "right,top", true},
    {"OrientationUnknown", Short(0x0112, {2}), 5, "?2", true},
    {"LightSourceAuto", Short(0x9208, {0}), 34, "オート"},
    {"LightSourceFlash", Short(0x9208, {10}), 34, "ﾌﾗｯｼｭ"},
    {"ColorSpaceUncalibrated", Short(0xA001, {65535}), 40, "65535"},
    // Numbers
    {"WidthShort", Short(0xA002, {1600}), 41, "1600"},
    {"WidthLong", Long(0xA002, {1600}), 41, "1600"},
    {"HeightLongLarge", Long(0xA003, {70000}), 42, "70000"},
    {"IsoOne", Short(0x8827, {100}), 21, "100"},
    {"IsoTwo", Short(0x8827, {100, 200}), 21, "100/200"},
    {"InteropOffset", Long(0xA005, {1234}), 44, "1234"},
    {"InteropOffsetHigh", Long(0xA005, {0x80000000u}), 44, "-2147483648"},
    // Unsigned rationals
    {"ExposureTime10Over600", Rational(0x829A, {P{10, 600}}), 18, "1/60"},
    {"ExposureTime1Over125", Rational(0x829A, {P{1, 125}}), 18, "1/125"},
    {"ExposureTimeOneSecond", Rational(0x829A, {P{1, 1}}), 18, "1/1"},
    {"ExposureTimeZero", Rational(0x829A, {P{0, 1}}), 18, "0/1"},
    {"ExposureTimeZeroZero", Rational(0x829A, {P{0, 0}}), 18, "0/0"},
    {"ExposureTimeTwoSeconds", Rational(0x829A, {P{2, 1}}), 18, "2"},
    {"ExposureTimeTwoAndAHalf", Rational(0x829A, {P{25, 10}}), 18, "2.5"},
    {"ExposureTimeOverZero", Rational(0x829A, {P{5, 0}}), 18, "1/0"},
    {"FNumber", Rational(0x829D, {P{28, 10}}), 19, "2.8"},
    {"FNumberZeroZero", Rational(0x829D, {P{0, 0}}), 19, "       0/       0"},
    {"FNumberHighBitPrintsSigned", Rational(0x829D, {P{0x80000000u, 0}}), 19,
     "-2147483648/       0"},
    {"FocalLength", Rational(0x920A, {P{65, 10}}), 36, "6.5mm"},
    {"FocalLengthZeroDenominator", Rational(0x920A, {P{65, 0}}), 36, "      65/       0"},
    {"ApertureValueApex3", Rational(0x9202, {P{3, 1}}), 28, "2.8"},
    {"ApertureValueZeroZero", Rational(0x9202, {P{0, 0}}), 28, "?       0/       0"},
    {"MaxApertureApex", Rational(0x9205, {P{30, 10}}), 31, "2.8"},
    {"XResolution", Rational(0x011A, {P{72, 1}}), 6, "72", true},
    {"YResolutionFraction", Rational(0x011B, {P{1447, 5}}), 7, "289.4", true},
    {"CompressedBitsPerPixel", Rational(0x9102, {P{5, 2}}), 26, "2.5"},
    {"FocalPlaneXResolution", Rational(0xA20E, {P{3072000, 225}}), 45, "13653.33"},
    {"FocalPlaneYResolutionZero", Rational(0xA20F, {P{1, 0}}), 46, "       1/       0"},
    // Signed rationals
    {"ShutterSpeedApex6", SRational(0x9201, {S{6, 1}}), 27, "1/64.0"},
    {"ShutterSpeedApexMinus1", SRational(0x9201, {S{-1, 1}}), 27, "1/0.5"},
    {"ShutterSpeedZeroDenominator", SRational(0x9201, {S{7, 0}}), 27, "?       7/       0"},
    {"ExposureBias", SRational(0x9204, {S{-2, 3}}), 30, "-0.7"},
    {"ExposureBiasZero", SRational(0x9204, {S{0, 3}}), 30, "0.0"},
    {"ExposureBiasZeroZero", SRational(0x9204, {S{0, 0}}), 30, "?   0/   0"},
    {"SubjectDistance", SRational(0x9206, {S{350, 100}}), 32, "3.5"},
    // Lists of rationals
    {"WhitePoint", Rational(0x013E, {P{313, 1000}, P{329, 1000}}), 11,
     "     313/    1000,     329/    1000", true},
    {"YCbCrCoefficients", Rational(0x0211, {P{299, 1000}, P{587, 1000}, P{114, 1000}}), 13,
     "0.30,0.59,0.11", true},
    {"YCbCrCoefficientsZero", Rational(0x0211, {P{299, 1000}, P{587, 0}, P{114, 1000}}), 13,
     "?     299/    1000,     587/       0,     114/    1000", true},
    {"BrightnessHasOnlyOneRational", SRational(0x9203, {S{7, 10}}), 29,
     "?       7/      10,       0/       0,       0/       0"},
    {"ReferenceBlackWhite",
     Rational(0x0214, {P{0, 1}, P{255, 1}, P{128, 1}, P{255, 1}, P{128, 1}, P{255, 1}}), 15,
     "       0/       1,     255/       1,     128/       1,     255/       1,     128/       1,"
     "     255/       1",
     true},
    // Items of today's cameras
    {"LensMake", Ascii(0xA433, "Canon"), 76, Nul("Canon")},
    {"LensModel", Ascii(0xA434, "EF-S18-55mm"), 77, Nul("EF-S18-55mm")},
    {"LensSpecZoom", Rational(0xA432, {P{18, 1}, P{55, 1}, P{35, 10}, P{56, 10}}), 78,
     "18.0-55.0mm F3.5-5.6"},
    {"LensSpecPrime", Rational(0xA432, {P{50, 1}, P{50, 1}, P{18, 10}, P{18, 10}}), 78,
     "50.0mm F1.8"},
    {"LensSpecUnknownF", Rational(0xA432, {P{24, 1}, P{70, 1}, P{0, 0}, P{0, 0}}), 78,
     "24.0-70.0mm"},
    {"LensSpecUnknownFocal", Rational(0xA432, {P{0, 0}, P{0, 0}, P{28, 10}, P{28, 10}}), 78,
     "F2.8"},
    {"LensSpecAllUnknown", Rational(0xA432, {P{0, 0}, P{0, 0}, P{0, 0}, P{0, 0}}), 78, "---"},
    {"FocalLength35", Short(0xA405, {28}), 79, "28.0mm"},
    {"FocalLength35Unknown", Short(0xA405, {0}), 79, "---"},
    {"ExposureModeManual", Short(0xA402, {1}), 80, "ﾏﾆｭｱﾙ"},
    {"ExposureModeOutOfRange", Short(0xA402, {7}), 80, "?7"},
    {"WhiteBalanceAuto", Short(0xA403, {0}), 81, "オート"},
    {"SceneNight", Short(0xA406, {3}), 82, "夜景"},
    {"DigitalZoom", Rational(0xA404, {P{3, 2}}), 83, "1.5"},
    {"DigitalZoomZeroDenominator", Rational(0xA404, {P{0, 0}}), 83, "---"},
    {"ContrastHard", Short(0xA408, {2}), 84, "強"},
    {"SaturationLow", Short(0xA409, {1}), 85, "低"},
    {"SharpnessNormal", Short(0xA40A, {0}), 86, "標準"},
    {"SubjectDistanceMacro", Short(0xA40C, {1}), 87, "マクロ"},
    {"BodySerialNumber", Ascii(0xA431, "0123456"), 88, Nul("0123456")},
    {"ImageUniqueId", Ascii(0xA420, "ABCDEF"), 89, Nul("ABCDEF")},
    {"OffsetTimeOriginal", Ascii(0x9011, "+09:00"), 90, Nul("+09:00")},
    {"SubSecTimeOriginal", Ascii(0x9291, "25"), 91, Nul("25")},
};

INSTANTIATE_TEST_SUITE_P(Rules, TagRule,
                         ::testing::Combine(::testing::ValuesIn(kCases),
                                            ::testing::Values(Order::II, Order::MM)),
                         CaseAndOrderName<TagCase>);

// The GPS directory: position, altitude and UTC time, each "---" without what it needs.
struct GpsCase {
    const char* name;
    std::vector<Entry> entries;
    std::string latitude, longitude, altitude, dateTime;
};

class GpsDirectory : public ::testing::TestWithParam<std::tuple<GpsCase, Order>> {};

TEST_P(GpsDirectory, ReadsAsExpected) {
    const auto& [c, order] = GetParam();
    TiffLayout tiff;
    tiff.ifd0 = {Ascii(0x010F, "Maker")};
    tiff.exif = {Short(0xA405, {35})};
    tiff.gps = c.entries;
    const ReadResult r = ReadLayout(tiff, order);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.kind, "EXIF");
    EXPECT_EQ(r.items[kItemGpsLatitude], c.latitude);
    EXPECT_EQ(r.items[kItemGpsLongitude], c.longitude);
    EXPECT_EQ(r.items[kItemGpsAltitude], c.altitude);
    EXPECT_EQ(r.items[kItemGpsDateTime], c.dateTime);
    EXPECT_EQ(r.items[79], "35.0mm") << "the EXIF directory is read as well";
}

const GpsCase kGpsCases[] = {
    {"NorthEastAboveSea",
     {Ascii(0x0001, "N"), Rational(0x0002, {P{35, 1}, P{41, 1}, P{2250, 100}}), Ascii(0x0003, "E"),
      Rational(0x0004, {P{139, 1}, P{41, 1}, P{3000, 100}}), Bytes(0x0005, std::string(1, '\0'), 1),
      Rational(0x0006, {P{405, 10}}), Rational(0x0007, {P{1, 1}, P{2, 1}, P{3, 1}}),
      Ascii(0x001D, "2024:05:06")},
     "35.689583",
     "139.691667",
     "40.5",
     "2024:05:06 01:02:03"},
    {"SouthWestBelowSea",
     {Ascii(0x0001, "S"), Rational(0x0002, {P{33, 1}, P{52, 1}, P{0, 1}}), Ascii(0x0003, "W"),
      Rational(0x0004, {P{70, 1}, P{30, 1}, P{0, 1}}), Bytes(0x0005, "\x01", 1),
      Rational(0x0006, {P{10, 1}})},
     "-33.866667",
     "-70.500000",
     "-10.0",
     "---"},
    {"MissingReferences",
     {Rational(0x0002, {P{35, 1}, P{0, 1}, P{0, 1}}), Rational(0x0006, {P{5, 1}}),
      Rational(0x0007, {P{1, 1}, P{2, 1}, P{3, 1}})},
     "---",
     "---",
     "5.0",
     "---"},
    {"ZeroDenominatorsAndABadDate",
     {Ascii(0x0001, "N"), Rational(0x0002, {P{35, 0}, P{0, 1}, P{0, 1}}), Ascii(0x0003, "E"),
      Rational(0x0004, {P{139, 1}, P{0, 1}, P{0, 1}}), Rational(0x0006, {P{5, 0}}),
      Rational(0x0007, {P{1, 1}, P{2, 1}, P{3, 1}}), Ascii(0x001D, "2024-05-06")},
     "---",
     "139.000000",
     "---",
     "---"},
};

INSTANTIATE_TEST_SUITE_P(Gps, GpsDirectory,
                         ::testing::Combine(::testing::ValuesIn(kGpsCases),
                                            ::testing::Values(Order::II, Order::MM)),
                         CaseAndOrderName<GpsCase>);

TEST(TagTextForm, TagNamesAreFourUpperCaseDigits) {
    EXPECT_EQ(TagText(0x927C), "0x927C");
    EXPECT_EQ(TagText(0x0A), "0x000A");
}

TEST(NumberFormats, MatchPrintf) {
    EXPECT_EQ(FormatInt(5, 4), "   5");
    EXPECT_EQ(FormatInt(-12345, 4), "-12345");
    EXPECT_EQ(FormatFixed(2.8, 1, 3), "2.8");
    EXPECT_EQ(FormatFixed(0.25, 1, 3), "0.2") << "exact ties round to even, as printf does";
    EXPECT_EQ(FormatFixed(1.5, 2), "1.50");
    EXPECT_EQ(FormatFixed(-0.66, 1, 3), "-0.7");
    EXPECT_EQ(FormatFixed(12.0, 1, 8), "    12.0");
}

TEST(NumberFormats, IgnoreTheProcessLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(FormatFixed(2.8, 1, 3), "2.8");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
} // namespace kamelune::test
