// Thousands of random events as fast as X takes them: the program keeps drawing.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "tests/e2e/programRun.h"
#include "tests/e2e/randomInput.h"

TEST(ProgramInput, aBurstOfRandomKeysAndPointerEventsLeavesItDrawing)
{
    ASSERT_NE(testDisplay(), nullptr) << "no X display: set DISPLAY (the test script starts Xvfb)";
    ProgramRun run;
    ASSERT_TRUE(run.startDrawing(SHADERS_SOURCE_DIR)) << run.child.err;
    std::mt19937 random(20261211);
    for (int i = 0; i < 5000; ++i) {
        sendRandomEvent(testDisplay(), run.window, random, false);
        if (i % 200 == 0)
            drainOutput(run.child);
    }
    XSync(testDisplay(), False);
    restoreWindow(testDisplay(), run.window);
    ASSERT_TRUE(run.waitForMoreFrames(2, 15000)) << "stopped drawing\n" << run.child.err;
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0) << run.child.err;
}
