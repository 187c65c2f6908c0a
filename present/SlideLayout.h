// Where and how large the slideshow draws a picture, and its play-list arithmetic. Plain code.
#pragma once

#include "platform/Jpeg.h"

#include <atomic>
#include <string>

namespace kamelune {

struct SlideRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool scaled = false; // drawn stretched into width × height (else at its own size)
    bool scroll = false; // the scroll box scrolls (the picture may be larger than the box)
};

// W × H picture; CW × CH client and outerW × outerH outer size of the scroll box.
SlideRect FixedRect(bool fit, bool aspect, int W, int H, int CW, int CH, int outerW, int outerH);
SlideRect AutoFitRect(int W, int H, int CW, int CH, int outerW, int outerH);

// The scroll box a picture is shown in, and the display options.
struct SlideView {
    bool autoFit = false, fit = false, aspect = false;
    int CW = 0, CH = 0, outerW = 0, outerH = 0; // client and outer size
    int orientation = 0; // EXIF orientation to turn the picture upright by (0: as stored)
};
struct Slide {
    bool known = false;   // the size could be read
    bool decoded = false; // and the picture decoded
    int W = 0, H = 0;     // as the file stores it, like the thumbnail's size line and the tables
    SlideRect rect;
    RgbImage image; // at the size it is drawn
};
// Reads the picture file once: its size gives where and how large it is drawn, and it is decoded
// (DCT-scaled) at that size. Reads and decodes: run it off the user-interface thread.
Slide LoadSlide(const std::string& path, const SlideView& view,
                const std::atomic<bool>* cancel = nullptr);

// Timer periods: when the show opens, and when the interval is changed.
int IntervalOnShow(int seconds);
int IntervalOnChange(int seconds);

// A step through a play list of `length` pictures, wrapping at both ends; unchanged when empty.
int StepForward(int pos, int length);
int StepBackward(int pos, int length);

} // namespace kamelune
