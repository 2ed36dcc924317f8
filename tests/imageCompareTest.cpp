#include <gtest/gtest.h>

#include "tests/imageCompare.h"

namespace {

// A 10x10 black picture with `count` pixels from row `firstRow` on raised by `by` in green.
RgbImage picture(int count = 0, int by = 0, int firstRow = 0)
{
    RgbImage image;
    image.width = 10;
    image.height = 10;
    image.rgb.assign(300, 0);
    for (int p = 0; p < count; ++p)
        image.rgb[(firstRow * 10 + p) * 3 + 1] = static_cast<unsigned char>(by);
    return image;
}

}  // namespace

TEST(ImageCompare, countsPixelsBeyondTheChannelToleranceAgainstTheShareOfComparedRows)
{
    // Tolerance: channel 4, 5 % of the compared pixels, the top 2 rows left out.
    const ImageTolerance tolerance = {4, 0.05, 2};
    struct Case {
        const char* what;
        RgbImage fresh;
        int differing;
        bool within;
    } cases[] = {
        {"identical", picture(), 0, true},
        {"off by exactly the tolerance", picture(30, 4, 2), 0, true},
        {"4 pixels off by one more: 4 of 80 is the share", picture(4, 5, 2), 4, true},
        {"5 pixels off: beyond 5 % of the 80 compared", picture(5, 5, 2), 5, false},
        {"20 pixels off in the rows left out", picture(20, 255, 0), 0, true},
    };
    for (const Case& c : cases) {
        const ImageDifference d = compareImages(c.fresh, picture(), tolerance);
        EXPECT_EQ(d.comparedPixels, 80) << c.what;
        EXPECT_EQ(d.differingPixels, c.differing) << c.what;
        EXPECT_EQ(withinTolerance(d, tolerance), c.within) << c.what;
    }
}

TEST(ImageCompare, aPictureOfAnotherSizeNeverMatches)
{
    // The same bytes in another shape: 20x5.
    RgbImage wider = picture();
    wider.width = 20;
    wider.height = 5;
    EXPECT_FALSE(withinTolerance(compareImages(wider, picture(), {255, 1.0, 0}), {255, 1.0, 0}));
}
