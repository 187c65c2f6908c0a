#include "support/Plain.h"

namespace kamelune::test {

struct DecodeCase {
    std::string bytes;
    std::string utf8;
};

class Cp932Decode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Cp932Decode, FollowsTheByteRule) {
    EXPECT_EQ(Cp932ToUtf8(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Cp932Decode,
    ::testing::Values(DecodeCase{std::string("a\0b", 3), std::string("a\0b", 3)},
                      DecodeCase{"\x5C\x7E", "\\~"}, DecodeCase{"\xA1\xB1\xDF", "｡ｱﾟ"},
                      DecodeCase{"\x82\xA0\x8A\xBF", "あ漢"},
                      DecodeCase{"\x81\x60", "～"}, // wave dash as Windows maps it
                      DecodeCase{"\x87\x40", "①"},  // NEC special row
                      DecodeCase{"\xFA\x40", "ⅰ"},  // IBM extension
                      DecodeCase{"\x81", "\u0081"}, // lead byte at the end
                      DecodeCase{"\x81\x20", "\u0081 "},
                      DecodeCase{"\x85\x40", "\u0085@"}, // unmapped pair: both bytes kept
                      DecodeCase{"\x80\xA0\xFD\xFE\xFF", "\u0080\u00A0\u00FD\u00FE\u00FF"}));

TEST(Cp932Decode, ALeadByteAtTheEndOfAViewReadsNothingBeyondIt) {
    // The byte after the view would make "あ" with it; the view ends first.
    const std::string buffer = "x\x82\xA0";
    EXPECT_EQ(Cp932ToUtf8(std::string_view(buffer.data(), 2)), "x\u0082");
}

TEST(Cp932Encode, RoundTripsEveryMappedCharacter) {
    // Every double-byte code that decodes to one character encodes back to a code that decodes
    // to the same character.
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string text = Cp932ToUtf8(bytes);
            std::size_t pos = 0;
            NextCodePoint(text, pos);
            if (pos != text.size()) continue; // not one character: unmapped pair
            ++mapped;
            EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(text)), text) << std::hex << lead << trail;
        }
    }
    EXPECT_GT(mapped, 7000);
}

TEST(Cp932Encode, UnmappableCharacters) {
    EXPECT_EQ(Utf8ToCp932("é漢"), "?\x8A\xBF");
    EXPECT_EQ(Utf8ToCp932("é漢😀", Unmappable::HtmlReference), "&#233;\x8A\xBF&#128512;");
    EXPECT_EQ(Utf8ToCp932("ｶﾅ"), "\xB6\xC5");
    EXPECT_EQ(Utf8ToCp932(std::string("a\0", 2)), std::string("a\0", 2));
    EXPECT_EQ(Utf8ToCp932("\xC3"), "?") << "broken UTF-8 is one unmappable character";
}

TEST(Cp932Cut, NeverSplitsACharacter) {
    const std::string text = "ab漢字c";
    EXPECT_EQ(Cp932Length(text), 7u);
    EXPECT_EQ(CutToCp932Bytes(text, 7), text);
    EXPECT_EQ(CutToCp932Bytes(text, 6), "ab漢字");
    EXPECT_EQ(CutToCp932Bytes(text, 5), "ab漢") << "a cut inside 字 drops the whole character";
    EXPECT_EQ(CutToCp932Bytes(text, 4), "ab漢");
    EXPECT_EQ(CutToCp932Bytes(text, 3), "ab");
    EXPECT_EQ(CutToCp932Bytes(text, 0), "");
    EXPECT_EQ(CutToCp932Bytes("ｱｲé", 3), "ｱｲé") << "half-width kana and ? are one byte";
}

TEST(Cp932Cut, AtTwoHundredBytes) {
    const std::string text = std::string(199, 'x') + "漢";
    EXPECT_EQ(CutToCp932Bytes(text, 200), std::string(199, 'x'));
    EXPECT_EQ(CutToCp932Bytes(std::string(198, 'x') + "漢", 200), std::string(198, 'x') + "漢");
}

} // namespace kamelune::test
