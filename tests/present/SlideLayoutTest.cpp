// The picture the slideshow reads, once, at the size it is drawn.
#include "support/Plain.h"

namespace kamelune::test {

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
