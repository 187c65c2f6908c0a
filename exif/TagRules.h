// The tag rules of the EXIF reader: how each tag of IFD0 and of the EXIF directory becomes an
// item text, and the number and value texts that the maker notes share.
#pragma once

#include "ExifReader.h"
#include "TiffStream.h"

#include <cstdint>
#include <span>
#include <string>

namespace kamelune {

// "0x" and four upper-case hexadecimal digits: the name of a tag in every table of the reader.
std::string TagText(std::uint16_t tag);

// The item an entry of IFD0 or of the EXIF directory gives (0: none).
int Ifd0ItemOf(std::uint16_t tag);
int ExifItemOf(std::uint16_t tag);

// Sets text to the display text of one entry of IFD0 or the EXIF directory; for the maker note
// (0x927C) it first runs the decoder of the camera named by items 3 and 4. Returns false when
// the value is longer than 1,024 bytes (text "BADDATA").
bool FormatTagValue(TiffStream& s, const DirEntry& e, std::string& text, ExifItemTexts& items);

// The maker notes whose tags the table holds.
enum class MakerNote { Olympus, NikonE990 };
// Sets the items a maker-note entry gives by its camera's tags in the table; other tags give
// nothing.
void ReadNoteTag(TiffStream& s, MakerNote note, const DirEntry& e, const ValueBytes& v,
                 ExifItemTexts& items);

// Number formats of the reader: printf's "%d", "%Nd" and "%N.Pf" in the C locale.
std::string FormatInt(std::int32_t v, int width = 0);
std::string FormatFixed(double v, int decimals, int width = 0);

// Value texts shared with the maker notes.
struct Named {
    int value;
    const char* text;
};
// The named text of n, else "?" followed by n.
std::string Enum(std::span<const Named> names, int n);
// Text of value bytes taken byte by byte (NUL kept), decoded as CP932.
std::string ByteText(const std::uint8_t* p, int n);
std::string ValueText(const ValueBytes& v);
struct Rational {
    std::uint32_t n, d;
};
Rational RationalAt(const TiffStream& s, const ValueBytes& v, int k);
// "%8d/%8d" of a rational (signed 32-bit print, as printf would show it).
std::string PairText(std::uint32_t n, std::uint32_t d, int width);
bool Contains(const std::string& text, const char* part);

} // namespace kamelune
