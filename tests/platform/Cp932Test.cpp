#include "support/Plain.h"

namespace kamelune::test {

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

TEST(Cp932Cut, AtTwoHundredBytes) {
    const std::string text = std::string(199, 'x') + "漢";
    EXPECT_EQ(CutToCp932Bytes(text, 200), std::string(199, 'x'));
    EXPECT_EQ(CutToCp932Bytes(std::string(198, 'x') + "漢", 200), std::string(198, 'x') + "漢");
}

} // namespace kamelune::test
