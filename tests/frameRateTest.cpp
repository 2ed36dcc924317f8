#include <gtest/gtest.h>

#include <cstring>

#include "app/frameRate.h"

namespace {

void resetFrameRate()
{
    frameCount = 0;
    lastFpsTime = 0;
    fpsText[0] = '\0';
}

}  // namespace

TEST(FrameRate, UpdatesOnlyWhenMoreThanASecondHasPassed)
{
    resetFrameRate();
    for (int i = 0; i < 9; ++i)
        countFrame(100 + i);
    countFrame(1000);
    EXPECT_STREQ(fpsText, "") << "exactly 1000 ms must not update";
    EXPECT_EQ(frameCount, 10);
    EXPECT_EQ(lastFpsTime, 0);

    countFrame(1001);
    EXPECT_STREQ(fpsText, "FPS: 10.99");  // 11 frames over 1001 ms
    EXPECT_EQ(frameCount, 0);
    EXPECT_EQ(lastFpsTime, 1001);

    countFrame(2001);
    EXPECT_STREQ(fpsText, "FPS: 10.99") << "1000 ms after the last update is still too soon";
    countFrame(2002);
    EXPECT_STREQ(fpsText, "FPS: 2.00");
}

TEST(FrameRate, TextFormats)
{
    struct Case {
        int frames;
        int now;
        const char* text;
    };
    const Case cases[] = {
        {1, 1500, "FPS: 0.67"},
        {3000, 1200, "FPS: 2500.00"},
        {59, 1001, "FPS: 58.94"},
    };
    for (const Case& c : cases) {
        resetFrameRate();
        frameCount = c.frames - 1;
        countFrame(c.now);
        EXPECT_STREQ(fpsText, c.text);
    }
}

TEST(FrameRate, HugeRatesStayInsideTheBuffer)
{
    resetFrameRate();
    std::memset(fpsText, 'x', sizeof fpsText);
    fpsText[fpsTextSize - 1] = '\0';
    frameCount = 2147483646;
    countFrame(1001);
    EXPECT_STREQ(fpsText, "FPS: 2145338308.69");
}
