// Where the EXIF block and the JPEG previews of the picture files other than JPEG lie: TIFF-based
// RAW (DNG, CR2, NEF, NRW, ARW, PEF, SRW, and the ORF and RW2 headers with magic numbers of their
// own), ISO base media files (HEIC/HEIF, CR3) and RAF. Bounded as the JPEG walk is: every read
// goes through the source (bytes past the end read as zero) and every loop has a cap.
#pragma once

#include "TiffStream.h"

#include <cstdint>
#include <vector>

namespace kamelune {

enum class PictureFormat { Jpeg, TiffRaw, Heif, Cr3, Raf, Unknown };

// The format a file's first bytes say (kFormatHeadBytes of them; fewer read as zero).
constexpr std::size_t kFormatHeadBytes = 16;
PictureFormat FormatOfHead(const std::uint8_t* head);

// Where a file's EXIF lies. Each TIFF position is the start of a TIFF header (byte order, magic,
// offset of the first directory); -1 where the file has none.
struct ExifLocation {
    std::int64_t ifd0Tiff = -1; // its first directory is IFD0
    // CR3 keeps the EXIF and GPS directories each in a TIFF block of its own, as the first
    // directory; -1: found through IFD0's pointers as in a JPEG.
    std::int64_t exifTiff = -1;
    std::int64_t gpsTiff = -1;
    // RAF: the JPEG that carries the EXIF (length 0: none).
    std::uint64_t jpegOffset = 0;
    std::uint64_t jpegLength = 0;
};
// Throws ExifReadAborted on a read error, as the walk does.
ExifLocation LocateExif(TiffStream& s, PictureFormat format);

// A JPEG picture a RAW file carries (a preview or a thumbnail). width and height come from the
// JPEG's own frame header; decodable says libjpeg can decode it (not the lossless JPEG of the
// raw data itself).
struct EmbeddedJpeg {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    int width = 0;
    int height = 0;
    bool operator==(const EmbeddedJpeg&) const = default;
};
// The decodable JPEG pictures of a RAW file, in the order found; none for a read error.
std::vector<EmbeddedJpeg> FindEmbeddedJpegs(ExifSource& source, PictureFormat format);

// The preview to decode for a picture at least minWidth × minHeight (or with a longer side of at
// least minLongerSide): the smallest that is large enough, else (and when no size is asked for)
// the largest. nullptr for none.
const EmbeddedJpeg* ChoosePreview(const std::vector<EmbeddedJpeg>& previews, int minWidth,
                                  int minHeight, int minLongerSide);

} // namespace kamelune
