#include "bench/watchCost.h"

#include <GL/glew.h>

#include <cstdio>
#include <vector>

#include "app/frame.h"
#include "app/runOptions.h"
#include "app/watch.h"
#include "bench/allocCount.h"
#include "bench/benchStats.h"
#include "gfx/shadingModes.h"

namespace {

// The frame callback of a run with --watch, applied in reportWatchCost.
void watchedFrame()
{
    optionedDisplay();
}

struct PairTimes {
    double plain;
    double watched;
};

// Plain and watched frames take turns, so the machine's drift hits both
// alike; a frame's time runs from the swap before it to its own.
PairTimes alternatingFrameMs(int frames, int warmup)
{
    for (int i = 0; i < warmup; ++i) {
        display();
        watchedFrame();
    }
    std::vector<double> plain;
    std::vector<double> watched;
    plain.reserve(static_cast<std::size_t>(frames));
    watched.reserve(static_cast<std::size_t>(frames));
    glFinish();
    auto last = BenchClock::now();
    for (int i = 0; i < 2 * frames; ++i) {
        const bool isWatched = (i % 2 == 1);
        if (isWatched)
            watchedFrame();
        else
            display();
        const auto now = BenchClock::now();
        (isWatched ? watched : plain).push_back(msBetween(last, now));
        last = now;
    }
    return {median(plain), median(watched)};
}

long mainThreadAllocations(void (*frame)(), int frames)
{
    for (int i = 0; i < 5; ++i)
        frame();
    glFinish();
    startAllocCounting();
    for (int i = 0; i < frames; ++i)
        frame();
    glFinish();
    return stopAllocCounting().mainThread;
}

}  // namespace

void reportWatchCost(int rounds, int frames, int warmup)
{
    std::printf("\n== --watch while no file changes (the project's shaders/ and textures/ watched) ==\n");
    Options watchRun;
    watchRun.watch = true;
    applyOptions(watchRun);
    std::printf("  ratio = plain frame ms / watched frame ms (the frame rate with --watch over "
                "without),\n  taken within each round, where plain and watched frames take turns; "
                "median and middle half of the rounds\n\n");
    std::printf("  mode  plain ms  watched ms  ratio  spread\n");
    std::vector<double> allRatios;
    for (int mode = 0; mode < shadingModeCount; ++mode) {
        currentShader = mode;
        std::vector<double> plain;
        std::vector<double> watched;
        std::vector<double> ratios;
        for (int round = 0; round < rounds; ++round) {
            const PairTimes t = alternatingFrameMs(frames, warmup);
            const double p = t.plain;
            const double w = t.watched;
            plain.push_back(p);
            watched.push_back(w);
            ratios.push_back(p / w);
            allRatios.push_back(p / w);
        }
        std::printf("  %4d  %8.3f  %10.3f  %5.3f  %.3f-%.3f\n", mode, median(plain), median(watched),
                    median(ratios), percentile(ratios, 0.25), percentile(ratios, 0.75));
    }
    std::printf("  frame rate with --watch / without, all modes: %.3f (middle half %.3f-%.3f)\n",
                median(allRatios), percentile(allRatios, 0.25), percentile(allRatios, 0.75));

    const int calls = 100000;
    const auto start = BenchClock::now();
    for (int i = 0; i < calls; ++i)
        pollWatch();
    const double pollUs = 1000.0 * msBetween(start, BenchClock::now()) / calls;
    startAllocCounting();
    for (int i = 0; i < calls; ++i) {
        pollWatch();
        drawWatchStatus();
    }
    const long hookAllocations = stopAllocCounting().mainThread;
    std::printf("  pollWatch(): %.3f us per call; pollWatch() + drawWatchStatus() x %d: %ld "
                "allocations\n",
                pollUs, calls, hookAllocations);
    currentShader = 1;
    const int allocFrames = 500;
    const long plainAllocations = mainThreadAllocations(display, allocFrames);
    const long watchedAllocations = mainThreadAllocations(watchedFrame, allocFrames);
    std::printf("  main-thread allocations per frame, mode 1: plain %.3f, watched %.3f, the watch's "
                "own %.3f\n",
                static_cast<double>(plainAllocations) / allocFrames,
                static_cast<double>(watchedAllocations) / allocFrames,
                static_cast<double>(watchedAllocations - plainAllocations) / allocFrames);
    currentShader = 0;
}
