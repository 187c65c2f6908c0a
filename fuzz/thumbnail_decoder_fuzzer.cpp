// Feeds arbitrary bytes to the JPEG decoder as the thumbnail maker uses it, then reduces the
// picture as the thumbnail maker does.
#include "platform/Jpeg.h"
#include "thumbnails/PictureReduction.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kamelune::JpegDecodeOptions options;
    options.minLongerSide = 88;
    const kamelune::JpegDecodeResult r = kamelune::DecodeJpegMemory(data, size, options);
    if (r.ok) {
        const kamelune::StretchSizes s =
            kamelune::ComputeStretchSizes(r.fullWidth, r.fullHeight, 88);
        if (s.w > 0 && s.h > 0) kamelune::Stretch(r.image, s.w, s.h);
    }
    return 0;
}
