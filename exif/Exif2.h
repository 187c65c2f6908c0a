// Tag value texts and the maker-note decoders of the EXIF reader.
#pragma once

#include "Exif.h"
#include "TiffStream.h"

#include <cstdint>
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

// Maker notes at TiffBase + offset; they write their items directly.
void ReadOlympusNote(TiffStream& s, std::int64_t makerNoteOffset, ExifItemTexts& items);
void ReadNikonNote(TiffStream& s, std::int64_t makerNoteOffset, ExifItemTexts& items);

// Number formats of the reader: printf's "%d", "%Nd" and "%N.Pf" in the C locale.
std::string FormatInt(std::int32_t v, int width = 0);
std::string FormatFixed(double v, int decimals, int width = 0);

} // namespace kamelune
