// Decoding any picture a folder lists: JPEG as it stands, a RAW file through the JPEG preview it
// carries (the smallest that is large enough, decoded with DCT scaling), HEIC/HEIF through libheif
// (its thumbnail when large enough, else the primary image, turned by its own rotation boxes).
// The JPEG path is taken for every name that is not a RAW or HEIC name. No Qt.
#pragma once

#include "platform/Jpeg.h"

#include <string>

namespace kamelune {

// The HEIC and RAW files a folder lists beside its JPEGs when asked to.
inline constexpr const char* kRawHeicMasks =
    "*.heic;*.heif;*.hif;*.dng;*.cr2;*.cr3;*.nef;*.nrw;*.arw;*.orf;*.rw2;*.pef;*.raf;*.srw";
// A name kRawHeicMasks matches (letter case ignored).
bool IsRawHeicName(const std::string& path);

// DecodeJpegFile for every picture: the options' sizes choose the preview or thumbnail, and the
// result's full size is that of what was decoded (a RAW file's preview, a HEIF's primary image).
JpegDecodeResult DecodePictureFile(const std::string& path, const JpegDecodeOptions& options = {});
// ReadJpegSize for every picture: a RAW file's largest preview, a HEIF's primary image.
FileResult ReadPictureSize(const std::string& path, int& width, int& height);

} // namespace kamelune
