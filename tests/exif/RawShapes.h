// Test-only RAW files of each maker's layout, made from a camera's JPEG: its EXIF block becomes
// the RAW file's TIFF structure (or CR3's metadata boxes, or RAF's embedded JPEG) and the JPEG
// itself its preview, where each format keeps one. No file is ever fetched.
#pragma once

#include <string>
#include <vector>

namespace kamelune::test {

enum class RawShape { Dng, Cr2, Nef, Nrw, Arw, Orf, Rw2, Pef, Srw, Cr3, Raf };

struct RawShapeName {
    RawShape shape;
    const char* extension; // lower case, without the dot
};
const std::vector<RawShapeName>& AllRawShapes();

// The JPEG without a JFIF segment before its EXIF segment, as cameras write it.
std::string CameraJpeg(const std::string& jpeg);
// The RAW file; empty when jpeg has no EXIF segment. preview, when given, is the JPEG the file
// carries in place of the camera JPEG (a camera-sized picture for the benchmarks).
std::string BuildRawShape(const std::string& jpeg, RawShape shape, const std::string& preview = {});

} // namespace kamelune::test
