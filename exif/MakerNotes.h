// The maker notes the reader decodes: Olympus and the Nikon E990. Each writes its items itself.
#pragma once

#include "ExifReader.h"
#include "TiffStream.h"

#include <cstdint>

namespace kamelune {

// Maker notes at tiffBase + offset.
void ReadOlympusNote(TiffStream& s, std::int64_t makerNoteOffset, ExifItemTexts& items);
void ReadNikonNote(TiffStream& s, std::int64_t makerNoteOffset, ExifItemTexts& items);

} // namespace kamelune
