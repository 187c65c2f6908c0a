// Conversion between the program's UTF-8 texts and the CP932 (Shift-JIS) bytes of its files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kamelune {

// Decodes bytes by the byte rule: ASCII (NUL included) as is, 0xA1-0xDF as half-width katakana,
// a lead byte with a trail byte that CP932 maps as that character, and every other byte as the
// character U+0080..U+00FF of the same value. Nothing is dropped or merged.
std::string Cp932ToUtf8(std::string_view bytes);

// What becomes of a character that CP932 cannot hold.
enum class Unmappable {
    Question,      // "?" (text files)
    HtmlReference, // "&#233;" (HTML pages)
};

std::string Utf8ToCp932(std::string_view utf8, Unmappable mode = Unmappable::Question);

// Length in bytes of the CP932 form ("?" counts one byte).
std::size_t Cp932Length(std::string_view utf8);

// The longest prefix of utf8 whose CP932 form has at most maxBytes bytes; never splits a character.
std::string CutToCp932Bytes(std::string_view utf8, std::size_t maxBytes);

// Decodes one code point from UTF-8 at pos and advances pos; invalid input gives U+FFFD and
// advances one byte.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);

} // namespace kamelune
