#include "SlideLayout.h"

#include "pictures/PictureFile.h"
#include "platform/FileUtil.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kamelune {

SlideRect FixedRect(bool fit, bool aspect, int W, int H, int CW, int CH, int outerW, int outerH) {
    SlideRect r;
    if (!fit) {
        r.width = W;
        r.height = H;
        r.scroll = true;
        return r;
    }
    r.scaled = true;
    if (aspect) {
        if (W >= H) {
            r.width = CW;
            r.height = W > 0 ? static_cast<int>(std::int64_t(CW) * H / W) : 0;
        } else {
            r.height = CH;
            r.width = H > 0 ? static_cast<int>(std::int64_t(CH) * W / H) : 0;
        }
    } else {
        r.width = outerW;
        r.height = outerH;
    }
    r.left = (CW - r.width) / 2;
    r.top = (CH - r.height) / 2;
    return r;
}

SlideRect AutoFitRect(int W, int H, int CW, int CH, int outerW, int outerH) {
    SlideRect r;
    if (CH >= H && CW >= W) {
        r.width = W;
        r.height = H;
        r.left = (outerW - W) / 2;
        r.top = (outerH - H) / 2;
        r.scroll = true;
        return r;
    }
    const double rPic = W <= 0 ? 1.0 : static_cast<double>(H) / W;
    const double rBox = CW <= 0 ? 1.0 : static_cast<double>(CH) / CW;
    r.scaled = true;
    // lrint rounds halves to even in the default rounding mode.
    if (rPic >= rBox) {
        r.height = CH;
        r.width = static_cast<int>(std::lrint(CH / rPic));
        r.left = (CW - r.width) / 2;
    } else {
        r.width = CW;
        r.height = static_cast<int>(std::lrint(CW * rPic));
        r.top = (CH - r.height) / 2;
    }
    return r;
}

int IntervalOnShow(int seconds) {
    return seconds * 1000;
}

int IntervalOnChange(int seconds) {
    return seconds == 0 ? 10 : seconds * 1000 - 500;
}

int StepForward(int pos, int length) {
    if (length <= 0) return pos;
    return pos + 1 >= length ? 0 : pos + 1;
}

int StepBackward(int pos, int length) {
    if (length <= 0) return pos;
    return pos - 1 < 0 ? length - 1 : pos - 1;
}

Slide LoadSlide(const std::string& path, const SlideView& view, const std::atomic<bool>* cancel) {
    Slide slide;
    std::string bytes;
    // A RAW or HEIC picture is sized and decoded from its file (a preview, a HEIF image); a JPEG
    // from the bytes read once.
    const bool other = IsRawHeicName(path);
    const bool read = !other && ReadWholeFile(path, bytes).ok;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    slide.known = other ? ReadPictureSize(path, slide.W, slide.H).ok
                        : read && ReadJpegSizeMemory(data, bytes.size(), slide.W, slide.H);
    // Turned a quarter (orientations 5 to 8), the picture is laid out with its sides swapped.
    const bool turned = view.orientation >= 5 && view.orientation <= 8;
    const int w = turned ? slide.H : slide.W, h = turned ? slide.W : slide.H;
    slide.rect = view.autoFit ? AutoFitRect(w, h, view.CW, view.CH, view.outerW, view.outerH)
                              : FixedRect(view.fit, view.aspect, w, h, view.CW, view.CH,
                                          view.outerW, view.outerH);
    if (!slide.known) return slide;
    const SlideRect& r = slide.rect;
    JpegDecodeOptions options;
    if (r.scaled) {
        options.minWidth = std::max(1, turned ? r.height : r.width);
        options.minHeight = std::max(1, turned ? r.width : r.height);
    }
    options.cancel = cancel;
    JpegDecodeResult decoded =
        other ? DecodePictureFile(path, options) : DecodeJpegMemory(data, bytes.size(), options);
    std::string().swap(bytes);
    if (!decoded.ok) return slide;
    slide.decoded = true;
    // As stored, the decoded picture itself: a second copy of a large one would double the memory.
    RgbImage upright = view.orientation >= 2 && view.orientation <= 8
                           ? Orient(decoded.image, view.orientation)
                           : std::move(decoded.image);
    slide.image = r.scaled ? Stretch(upright, std::max(1, r.width), std::max(1, r.height))
                           : std::move(upright);
    return slide;
}

} // namespace kamelune
