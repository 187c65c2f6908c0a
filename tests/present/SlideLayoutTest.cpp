// Where the slideshow draws a picture, and the picture read for it.
#include "support/Plain.h"

namespace kamelune::test {

TEST(SlideLayout, AutoFitOfA1600x1200Picture) {
    const SlideRect r = AutoFitRect(1600, 1200, 555, 389, 559, 393);
    EXPECT_TRUE(r.scaled);
    EXPECT_EQ(r.height, 389);
    EXPECT_EQ(r.width, 519);
    EXPECT_EQ(r.left, 18);
    EXPECT_EQ(r.top, 0);
}

TEST(SlideLayout, AutoFitOfTallAndSmallPictures) {
    const SlideRect wide = AutoFitRect(2000, 500, 555, 389, 559, 393);
    EXPECT_EQ(wide.width, 555);
    EXPECT_EQ(wide.height, 139) << "555 × 0.25 = 138.75";
    EXPECT_EQ(wide.top, (389 - 139) / 2);
    const SlideRect half = AutoFitRect(1000, 1110, 500, 400, 504, 404);
    EXPECT_EQ(half.width, 360) << "400 / 1.11 = 360.36";
    // Halves round to even: 100 / (H/W) with H/W = 0.8 gives exactly 125; 3/2 → 2, 5/2 → 2.
    EXPECT_EQ(AutoFitRect(4, 10, 3, 5, 3, 5).width, 2) << "5 / 2.5 = 2.0";
    EXPECT_EQ(AutoFitRect(2, 5, 1, 5, 1, 5).height, 2) << "1 × 2.5 = 2.5 rounds to 2";
    EXPECT_EQ(AutoFitRect(2, 7, 1, 7, 1, 7).height, 4) << "1 × 3.5 = 3.5 rounds to 4";
    const SlideRect small = AutoFitRect(320, 240, 555, 389, 559, 393);
    EXPECT_FALSE(small.scaled);
    EXPECT_TRUE(small.scroll);
    EXPECT_EQ(small.left, (559 - 320) / 2);
    EXPECT_EQ(small.top, (393 - 240) / 2);
}

TEST(SlideLayout, FixedDisplay) {
    const SlideRect aspect = FixedRect(true, true, 1600, 1200, 555, 389, 559, 393);
    EXPECT_EQ(aspect.width, 555);
    EXPECT_EQ(aspect.height, 416);
    EXPECT_EQ(aspect.top, -13) << "negative halves round toward zero";
    const SlideRect portrait = FixedRect(true, true, 1200, 1600, 555, 389, 559, 393);
    EXPECT_EQ(portrait.height, 389);
    EXPECT_EQ(portrait.width, 389 * 1200 / 1600);
    const SlideRect stretch = FixedRect(true, false, 1600, 1200, 555, 389, 559, 393);
    EXPECT_EQ(stretch.width, 559);
    EXPECT_EQ(stretch.left, -2);
    const SlideRect actual = FixedRect(false, false, 1600, 1200, 555, 389, 559, 393);
    EXPECT_FALSE(actual.scaled);
    EXPECT_EQ(actual.width, 1600);
    EXPECT_EQ(actual.left, 0);
}

TEST(SlideSteps, WrapAtBothEndsAndIntervals) {
    const struct {
        int pos, length, forward, backward;
    } steps[] = {
        {0, 3, 1, 2}, {2, 3, 0, 1}, {0, 1, 0, 0}, {5, 0, 5, 5}, // no pictures: stays
    };
    for (const auto& c : steps) {
        EXPECT_EQ(StepForward(c.pos, c.length), c.forward) << c.pos << "/" << c.length;
        EXPECT_EQ(StepBackward(c.pos, c.length), c.backward) << c.pos << "/" << c.length;
    }
    EXPECT_EQ(IntervalOnShow(3), 3000);
    EXPECT_EQ(IntervalOnChange(3), 2500) << "half a second less once the show runs";
    EXPECT_EQ(IntervalOnChange(0), 10);
}

TEST(LoadSlide, ReadOnceAndTurnedUprightWhenAsked) {
    const std::string path = KAMELUNE_SAMPLES "/orientation/landscape_6.jpg"; // 450 x 600, 6
    for (const int orientation : {0, 6}) {
        const SlideView view{true, false, false, 800, 600, 804, 604, orientation};
        const Slide s = LoadSlide(path, view);
        ASSERT_TRUE(s.decoded) << orientation;
        EXPECT_EQ(s.W, 450) << "the stored size, as the thumbnail's size line says";
        EXPECT_EQ(s.H, 600);
        EXPECT_EQ(s.image.width > s.image.height, orientation == 6) << orientation;
        EXPECT_EQ(s.image.width, s.rect.width) << "decoded at the size drawn";
    }
    EXPECT_FALSE(LoadSlide(KAMELUNE_SAMPLES "/missing.jpg", {}).known);
}

} // namespace kamelune::test
