// Where and how large the slideshow draws a picture, and its play-list arithmetic. Plain code.
#pragma once

namespace kamelune {

struct SlideRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool scaled = false; // drawn stretched into width × height (else at its own size)
    bool scroll = false; // the scroll box scrolls (the picture may be larger than the box)
};

// W × H picture; CW × CH client and outerW × outerH outer size of the scroll box.
SlideRect FixedRect(bool fit, bool aspect, int W, int H, int CW, int CH, int outerW, int outerH);
SlideRect AutoFitRect(int W, int H, int CW, int CH, int outerW, int outerH);

// Timer periods: when the show opens, and when the interval is changed.
int IntervalOnShow(int seconds);
int IntervalOnChange(int seconds);

// A step through a play list of `length` pictures, wrapping at both ends; unchanged when empty.
int StepForward(int pos, int length);
int StepBackward(int pos, int length);

} // namespace kamelune
