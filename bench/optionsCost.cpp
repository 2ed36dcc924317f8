#include "bench/optionsCost.h"

#include <cstdio>
#include <vector>

#include "app/runOptions.h"
#include "bench/allocCount.h"
#include "bench/benchFrames.h"
#include "bench/benchStats.h"
#include "gfx/shadingModes.h"

namespace {

double allocationsPerFrame(FrameKind kind, int mode, int frames)
{
    prepareFrames(kind, mode);
    drawOneFrame(kind, mode);
    startAllocCounting();
    for (int i = 0; i < frames; ++i)
        drawOneFrame(kind, mode);
    return static_cast<double>(stopAllocCounting().mainThread) / frames;
}

}  // namespace

void reportOptionsCost(const char* label, const Options& options, int rounds, int frames, int warmup)
{
    applyOptions(options);
    std::printf("\n== Frame time with %s against without (ms, medians over %d rounds) ==\n", label,
                rounds);
    std::printf("  mode  without ms  with ms | ratio (without / with)  spread | allocations per "
                "frame: without  with\n");
    const FrameKind kinds[2] = {FrameKind::program, FrameKind::optioned};
    for (int mode = 0; mode < shadingModeCount; ++mode) {
        std::vector<double> ms[2];
        std::vector<double> ratios;
        for (int round = 0; round < rounds; ++round) {
            double roundMs[2] = {};
            for (int k = 0; k < 2; ++k) {
                const int kind = (k + round) % 2;
                prepareFrames(kinds[kind], mode);
                for (int i = 0; i < warmup; ++i)
                    drawOneFrame(kinds[kind], mode);
                roundMs[kind] = timeFrames(kinds[kind], mode, frames);
                ms[kind].push_back(roundMs[kind]);
            }
            ratios.push_back(roundMs[0] / roundMs[1]);
        }
        const int allocFrames = 300;
        std::printf("  %4d  %10.3f %8.3f | %22.3f  %.2f-%.2f | %31.3f %5.3f\n", mode, median(ms[0]),
                    median(ms[1]), median(ratios), percentile(ratios, 0.25),
                    percentile(ratios, 0.75), allocationsPerFrame(kinds[0], mode, allocFrames),
                    allocationsPerFrame(kinds[1], mode, allocFrames));
    }
    // Back to the plain callback's state for whatever is measured next.
    currentShader = 0;
}
