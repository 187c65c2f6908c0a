// Feeds arbitrary bytes to the EXIF reader as if they were a file: as a JPEG, then also as the
// HEIC, CR3, RAF or TIFF-based RAW file its first bytes may say it is.
#include "exif/ExifReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kamelune::FileKind kind = kamelune::FileKind::Unread;
    kamelune::ExifItemTexts items;
    kamelune::ReadExifMemory(data, size, kind, items);
    kamelune::ReadExifMemory(data, size, kind, items, {false, true});
    return 0;
}
