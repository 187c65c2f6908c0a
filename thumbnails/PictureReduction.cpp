#include "PictureReduction.h"

#include "pictures/PictureFile.h"

#include <algorithm>

namespace kamelune {

StretchSizes ComputeStretchSizes(int width, int height, int size, int firstStage) {
    StretchSizes s{width, height, 0, 0};
    const bool portrait = height > width;
    if (height > firstStage || width > firstStage) {
        if (portrait) {
            s.w1 = static_cast<int>(static_cast<long long>(width) * firstStage / height);
            s.h1 = firstStage;
        } else {
            s.w1 = firstStage;
            s.h1 = static_cast<int>(static_cast<long long>(height) * firstStage / width);
        }
    }
    if (portrait) {
        s.w = static_cast<int>(static_cast<long long>(width) * size / height);
        s.h = size;
    } else {
        s.w = size;
        s.h = static_cast<int>(static_cast<long long>(height) * size / width);
    }
    return s;
}

MakeJpegResult ReducePicture(const std::string& source, int size, const std::atomic<bool>* cancel) {
    MakeJpegResult result;
    // A picture's final size follows from its own; DCT scaling is asked for the final size only,
    // since anything between it and the first stage would be thrown away by the second stretch.
    JpegDecodeOptions options;
    options.minLongerSide = size;
    options.cancel = cancel;
    JpegDecodeResult header = DecodePictureFile(source, options);
    if (!header.ok) {
        result.error = header.error;
        return result;
    }
    result.width = header.fullWidth;
    result.height = header.fullHeight;
    const StretchSizes s = ComputeStretchSizes(header.fullWidth, header.fullHeight, size);
    if (s.w <= 0 || s.h <= 0) {
        result.error = "サムネイルにするには画像が細すぎます";
        return result;
    }
    RgbImage picture = std::move(header.image);
    // The first stage only reduces: a picture the decoder already made smaller goes straight to
    // the final size.
    if (picture.width > s.w1 || picture.height > s.h1) picture = Stretch(picture, s.w1, s.h1);
    result.picture = Stretch(picture, s.w, s.h);
    result.ok = result.reduced = true;
    return result;
}

MakeJpegResult WriteReducedJpeg(const std::string& source, const std::string& destination,
                                int quality, int size, const std::atomic<bool>* cancel) {
    MakeJpegResult result = ReducePicture(source, size, cancel);
    if (!result.ok) return result;
    if (FileResult r = WriteJpegFile(result.picture, quality, destination); !r) {
        result.ok = false;
        result.error = r.error;
    }
    return result;
}

} // namespace kamelune
