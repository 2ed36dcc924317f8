// Minutes of random input, resizes included: frames keep coming, memory stays flat.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tests/e2e/growthSlope.h"
#include "tests/e2e/programRun.h"
#include "tests/e2e/randomInput.h"

namespace {

int soakSeconds()
{
    const char* value = std::getenv("SHADERS_SOAK_SECONDS");
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : 60;
}

// Events sent between two 10 ms pauses. Faster than about 500 a second the
// program (and freeglut's bare loop alike) falls behind the server, and
// Xlib's event queue, never shrunk, grows with the backlog; at 4 it keeps up.
const int eventsPerPause = 4;

// Growth of the resident size over the second half of the run. This mix
// measures 0 kB/min at 60 s and about 320 kB/min at 600 s; a leak of 2 kB per
// resize measures about 2 MB/min.
const double growthLimitKbPerMinute = 800;

}  // namespace

TEST(ProgramSoak, randomInputAndResizesForAMinuteLeaveItDrawingWithFlatMemory)
{
    ASSERT_NE(testDisplay(), nullptr) << "no X display: set DISPLAY (the test script starts Xvfb)";
    ProgramRun run;
    ASSERT_TRUE(run.startDrawing(SHADERS_SOURCE_DIR)) << run.child.err;

    std::mt19937 random(1211);
    const long long start = nowMs();
    const long long end = start + soakSeconds() * 1000LL;
    std::vector<Sample> resident;
    long long nextSample = start;
    long long sliceStart = start;
    int sliceLines = freeglutFrameLines(run.child.err);
    int events = 0;
    while (nowMs() < end) {
        for (int i = 0; i < eventsPerPause; ++i, ++events)
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
        }
        if (nowMs() >= nextSample) {
            // The driver's buffers follow the window's size, so each sample is
            // taken at one size, after a frame or two drawn at it.
            XResizeWindow(testDisplay(), run.window, 800, 600);
            XSync(testDisplay(), False);
            run.pause(100);
            resident.push_back({(nowMs() - start) / 1000.0, static_cast<double>(residentKb(run.child.pid))});
            nextSample += 1000;
        }
    }
    restoreWindow(testDisplay(), run.window);
    ASSERT_TRUE(run.waitForMoreFrames(2, 15000)) << run.child.err;
    const std::vector<Sample> secondHalf = samplesFrom(resident, soakSeconds() / 2.0);
    ASSERT_GE(secondHalf.size(), 10u);
    const double kbPerMinute = 60 * medianPairwiseSlope(secondHalf);
    std::printf("%d events, %d refused by the server in %d s; resident %.0f kB at the middle, "
                "%.0f kB at the end; growth over the second half %.1f kB/min (median of pairwise "
                "slopes, %zu samples)\n",
                events, refusedRequests(), soakSeconds(), secondHalf.front().value,
                secondHalf.back().value, kbPerMinute, secondHalf.size());
    EXPECT_GT(events, 2000);
#if !defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory in quarantine, so only a plain build says
    // anything about growth.
    EXPECT_LT(kbPerMinute, growthLimitKbPerMinute) << "resident memory grows";
#endif
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0) << run.child.err;
}
