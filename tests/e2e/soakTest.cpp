// Minutes of random input, resizes included: frames keep coming, memory stays flat.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/programRun.h"
#include "tests/e2e/randomInput.h"

namespace {

int soakSeconds()
{
    const char* value = std::getenv("SHADERS_SOAK_SECONDS");
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : 60;
}

}  // namespace

TEST(ProgramSoak, randomInputAndResizesForAMinuteLeaveItDrawingWithFlatMemory)
{
    ASSERT_NE(testDisplay(), nullptr) << "no X display: set DISPLAY (the test script starts Xvfb)";
    ProgramRun run;
    ASSERT_TRUE(run.startDrawing(SHADERS_SOURCE_DIR)) << run.child.err;

    std::mt19937 random(1211);
    const long long start = nowMs();
    const long long end = start + soakSeconds() * 1000LL;
    const long long warmUpEnd = start + (end - start) / 4;
    long warmRss = -1;
    long peakRss = 0;
    long long sliceStart = start;
    int sliceLines = freeglutFrameLines(run.child.err);
    int events = 0;
    while (nowMs() < end) {
        for (int i = 0; i < 20; ++i, ++events)
            sendRandomEvent(testDisplay(), run.window, random, true);
        XSync(testDisplay(), False);
        run.pause(10);
        ASSERT_FALSE(waitForExit(run.child, 0)) << "ended after " << events << " events\n"
                                                << run.child.err;
        // freeglut reports once a second while frames are drawn: a 3 s gap is a stall.
        if (nowMs() - sliceStart > 3000) {
            const int lines = freeglutFrameLines(run.child.err);
            ASSERT_GT(lines, sliceLines) << "no frames for 3 s after " << events << " events";
            sliceLines = lines;
            sliceStart = nowMs();
            const long rss = residentKb(run.child.pid);
            if (nowMs() >= warmUpEnd && warmRss < 0)
                warmRss = rss;
            else if (warmRss >= 0 && rss > peakRss)
                peakRss = rss;
        }
    }
    restoreWindow(testDisplay(), run.window);
    ASSERT_TRUE(run.waitForMoreFrames(2, 15000)) << run.child.err;
    std::printf("%d events, %d refused by the server, resident %ld kB after warm-up, peak %ld kB\n",
                events, refusedRequests(), warmRss, peakRss);
    EXPECT_GT(events, 2000);
    ASSERT_GT(warmRss, 0);
#if !defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory in quarantine, so only a plain build says
    // anything about growth.
    EXPECT_LT(peakRss - warmRss, 8 * 1024) << "resident memory grew";
#endif
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0) << run.child.err;
}
