// Pictures reduced in two stretch stages: thumbnails and the album's images.
#pragma once

#include "platform/FileUtil.h"
#include "platform/Jpeg.h"

#include <atomic>
#include <string>

namespace kamelune {

// The sizes of the two stretch stages for a W × H picture: first at most 640 on the longer side,
// then `size` on the longer side; integer division as the thumbnail and album routines use.
struct StretchSizes {
    int w1, h1; // first stage
    int w, h;   // final
};
StretchSizes ComputeStretchSizes(int width, int height, int size, int firstStage = 640);

// A reduction that can fail, with what it made.
struct [[nodiscard]] MakeJpegResult : FileResult {
    MakeJpegResult() : FileResult{false, {}} {}
    int width = 0; // the source picture's own size
    int height = 0;
    // The reduced picture, kept also when it could not be written (a full or read-only cache
    // place, a name too long for it), so that it can still be shown.
    bool reduced = false;
    RgbImage picture;
};

// Decodes source (DCT-scaled to no less than the final size) and reduces it in the two stages;
// ok when the reduced picture was made.
MakeJpegResult ReducePicture(const std::string& source, int size,
                             const std::atomic<bool>* cancel = nullptr);

// ReducePicture, then writes a JPEG of the given quality to destination, replacing it whole.
MakeJpegResult WriteReducedJpeg(const std::string& source, const std::string& destination,
                                int quality, int size, const std::atomic<bool>* cancel = nullptr);

} // namespace kamelune
