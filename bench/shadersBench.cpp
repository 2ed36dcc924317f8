// Frame rate of the program's display() against a bare loop drawing the same
// scene, the overlay's own cost, start-up stage by stage, the program's own
// file reading, and heap allocations per frame. Run from the folder that
// holds shaders/ and textures/, on an X display (tools/bench.sh does both).
#include <GL/glew.h>
#include <GL/glut.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/frameRate.h"
#include "bench/allocCount.h"
#include "bench/benchFrames.h"
#include "bench/benchStats.h"
#include "bench/optionsCost.h"
#include "bench/readCost.h"
#include "bench/startupTiming.h"
#include "bench/watchCost.h"
#include "gfx/shadingModes.h"

namespace {

struct BenchOptions {
    int frames = 20;
    int warmup = 5;
    int rounds = 40;
    double allocSeconds = 1.5;
};

const FrameKind kinds[] = {FrameKind::program, FrameKind::bare, FrameKind::bareOverlay};
const int kindCount = 3;

bool parseOptions(int argc, char** argv, BenchOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (hasValue && std::strcmp(argv[i], "--frames") == 0)
            options.frames = std::atoi(argv[++i]);
        else if (hasValue && std::strcmp(argv[i], "--warmup") == 0)
            options.warmup = std::atoi(argv[++i]);
        else if (hasValue && std::strcmp(argv[i], "--rounds") == 0)
            options.rounds = std::atoi(argv[++i]);
        else if (hasValue && std::strcmp(argv[i], "--alloc-seconds") == 0)
            options.allocSeconds = std::atof(argv[++i]);
        else
            return false;
    }
    return options.frames > 0 && options.warmup >= 0 && options.rounds > 0 &&
           options.allocSeconds > 0;
}

int countOccurrences(const std::string& text, const char* what)
{
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

std::string loadAverage()
{
    std::FILE* file = std::fopen("/proc/loadavg", "r");
    char line[128] = "";
    if (file != nullptr) {
        if (std::fgets(line, sizeof line, file) == nullptr)
            line[0] = '\0';
        std::fclose(file);
    }
    std::string text = line;
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

void reportStartup(const StartupTimes& s)
{
    std::printf("\n== Start-up (ms) ==\n");
    std::printf("  %-44s %8.2f\n", "toolkit and window", s.window);
    std::printf("  %-44s %8.2f\n", "extension loader and OpenGL 2.0 check", s.versionCheck);
    std::printf("  %-44s %8.2f\n", "render state", s.renderState);
    std::printf("  %-44s %8.2f\n", "five shader programs (read, compile, link)", s.programs);
    std::printf("  %-44s %8.2f\n", "four 2D images (read, upload, mipmaps)", s.images);
    std::printf("  %-44s %8.2f\n", "cube map (six faces)", s.cubeMap);
    std::printf("  %-44s %8.2f\n", "texture units", s.units);
    std::printf("  %-44s %8.2f\n", "window shown (events up to the first reshape)", s.shown);
    std::printf("  %-44s %8.2f\n", "first frame, mode 0", s.firstFrame);
    std::printf("  %-44s %8.2f\n", "time to first frame, from main", s.total);
}

void reportResources(const StartupTimes& s)
{
    const int missingImages = countOccurrences(s.console, "NOT found!");
    const int rejectedImages = countOccurrences(s.console, "' rejected: ");
    const int missingSources = countOccurrences(s.console, "File not found");
    int linked = 0;
    for (int mode = 1; mode < shadingModeCount; ++mode) {
        GLint status = GL_FALSE;
        glGetProgramiv(shaderPrograms[mode].program, GL_LINK_STATUS, &status);
        linked += status == GL_TRUE;
    }
    std::printf("\n== Resources ==\n  programs linked: %d of 5; shader sources missing: %d; "
                "images missing: %d, rejected: %d\n",
                linked, missingSources, missingImages, rejectedImages);
    if (linked != 5 || missingSources + missingImages + rejectedImages > 0)
        std::printf("  WARNING: incomplete resources; the modes that lack them draw something "
                    "else, so their figures mean little.\n");
}

void reportFirstFrames(const std::vector<double>& firstFrames, double steadyMode0)
{
    std::printf("\n== First frame in each mode (ms; the driver builds its shader code here) ==\n");
    std::printf("  mode 0: %8.2f (start-up, above)\n", steadyMode0);
    for (int mode = 1; mode < shadingModeCount; ++mode)
        std::printf("  mode %d: %8.2f\n", mode, firstFrames[mode]);
}

struct RoundTimes {
    std::vector<double> ms[kindCount];
};

void reportFrameRates(const std::vector<RoundTimes>& modes, const BenchOptions& options)
{
    std::printf("\n== Frame time (ms): %d rounds; in each, every mode's three loops run %d frames "
                "after %d warm-up frames ==\n",
                options.rounds, options.frames, options.warmup);
    std::printf("  a loop's time is the median of its frames' times; below, the median over rounds\n");
    std::printf("  ratio = bare ms / program ms (the program's frame rate over the bare loop's)\n");
    std::printf("  overlay = bare+overlay ms - bare ms; net ratio = bare / (program - overlay)\n");
    std::printf("  ratios are taken within each round, then their median; the spread is the\n");
    std::printf("  middle half of the rounds' net ratios, a gauge of the machine's noise\n\n");
    std::printf("  mode  program ms    fps |  bare ms    fps |  ratio | bare+overlay ms | overlay ms  share | net ratio  spread\n");
    for (int mode = 0; mode < shadingModeCount; ++mode) {
        const RoundTimes& r = modes[mode];
        std::vector<double> ratios;
        std::vector<double> overlays;
        std::vector<double> netRatios;
        for (int round = 0; round < options.rounds; ++round) {
            const double program = r.ms[0][round];
            const double bare = r.ms[1][round];
            const double overlay = r.ms[2][round] - bare;
            ratios.push_back(bare / program);
            overlays.push_back(overlay);
            netRatios.push_back(bare / (program - overlay));
        }
        const double program = median(r.ms[0]);
        const double bare = median(r.ms[1]);
        const double overlay = median(overlays);
        std::printf("  %4d  %10.3f %6.1f | %8.3f %6.1f | %6.3f | %15.3f | %10.3f %5.1f%% | %9.3f  "
                    "%.2f-%.2f\n",
                    mode, program, 1000.0 / program, bare, 1000.0 / bare, median(ratios),
                    median(r.ms[2]), overlay, 100.0 * overlay / program, median(netRatios),
                    percentile(netRatios, 0.25), percentile(netRatios, 0.75));
    }
}

struct AllocRun {
    int frames = 0;
    AllocCounts counts{0, 0};
};

AllocRun countFrameAllocations(FrameKind kind, int mode, const BenchOptions& options)
{
    prepareFrames(kind, mode);
    for (int i = 0; i < options.warmup; ++i)
        drawOneFrame(kind, mode);
    glFinish();
    AllocRun run;
    // Long enough for the frame-rate text to be rewritten at least once.
    const auto end = BenchClock::now() + std::chrono::duration<double>(options.allocSeconds);
    startAllocCounting();
    while (BenchClock::now() < end || run.frames < 100) {
        drawOneFrame(kind, mode);
        ++run.frames;
    }
    glFinish();
    run.counts = stopAllocCounting();
    return run;
}

std::string libraryOf(void* address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr)
        return "?";
    const std::string path = info.dli_fname;
    return path.substr(path.find_last_of('/') + 1);
}

// Which library called the allocator in each frame step.
void reportAllocatingLibraries(int frames)
{
    static CallerTally tallies[allocTallySlots];
    const int count = takeCallerTallies(tallies);
    std::printf("\n  the same, by the library that called the allocator (all modes, per frame):\n");
    for (int step = 0; step < bareOverlayStepCount; ++step) {
        std::vector<std::pair<std::string, long>> libraries;
        for (int i = 0; i < count; ++i) {
            if (tallies[i].bucket != step)
                continue;
            const std::string library = libraryOf(tallies[i].caller);
            auto found = std::find_if(libraries.begin(), libraries.end(),
                                      [&](const auto& entry) { return entry.first == library; });
            if (found == libraries.end())
                libraries.emplace_back(library, tallies[i].count);
            else
                found->second += tallies[i].count;
        }
        if (libraries.empty())
            continue;
        std::printf("  %-40s", bareOverlaySteps[step].name);
        for (const auto& entry : libraries)
            std::printf(" %s %.2f", entry.first.c_str(), static_cast<double>(entry.second) / frames);
        std::printf("\n");
    }
}

void reportAllocations(const BenchOptions& options)
{
    std::printf("\n== Heap allocations per frame, steady state (malloc family, new included) ==\n");
    std::printf("  main thread: the program's code and the GL/toolkit calls it makes;\n");
    std::printf("  other threads: the driver's rasteriser threads\n\n");
    std::printf("  mode | program main  other | bare main  other | bare+overlay main  other "
                "| ours (program - bare+overlay, main)\n");
    for (int mode = 0; mode < shadingModeCount; ++mode) {
        double perFrame[kindCount][2] = {};
        for (int k = 0; k < kindCount; ++k) {
            const AllocRun run = countFrameAllocations(kinds[k], mode, options);
            perFrame[k][0] = static_cast<double>(run.counts.mainThread) / run.frames;
            perFrame[k][1] = static_cast<double>(run.counts.otherThreads) / run.frames;
        }
        std::printf("  %4d | %12.3f %6.3f | %9.3f %6.3f | %17.3f %6.3f | %.3f\n", mode,
                    perFrame[0][0], perFrame[0][1], perFrame[1][0], perFrame[1][1], perFrame[2][0],
                    perFrame[2][1], perFrame[0][0] - perFrame[2][0]);
    }

    std::printf("\n  where the bare+overlay frame's main-thread allocations happen, per frame:\n");
    std::printf("  %-40s", "step");
    for (int mode = 0; mode < shadingModeCount; ++mode)
        std::printf(" mode %d", mode);
    std::printf("\n");
    const int frames = 200;
    long byStep[shadingModeCount][bareOverlayStepCount] = {};
    clearCallerTallies();
    for (int mode = 0; mode < shadingModeCount; ++mode) {
        prepareFrames(FrameKind::bareOverlay, mode);
        for (int i = 0; i < options.warmup; ++i)
            drawOneFrame(FrameKind::bareOverlay, mode);
        for (int i = 0; i < frames; ++i) {
            for (int step = 0; step < bareOverlayStepCount; ++step) {
                setAllocBucket(step);
                startAllocCounting();
                bareOverlaySteps[step].run();
                byStep[mode][step] += stopAllocCounting().mainThread;
            }
        }
    }
    for (int step = 0; step < bareOverlayStepCount; ++step) {
        std::printf("  %-40s", bareOverlaySteps[step].name);
        for (int mode = 0; mode < shadingModeCount; ++mode)
            std::printf(" %6.2f", static_cast<double>(byStep[mode][step]) / frames);
        std::printf("\n");
    }
    reportAllocatingLibraries(frames * shadingModeCount);

    // The program's per-frame code that makes no drawing call, on its own.
    const int calls = 10000;
    startAllocCounting();
    for (int i = 0; i < calls; ++i)
        countFrame(lastFpsTime + 1001);  // rewrites the text every call
    const AllocCounts text = stopAllocCounting();
    std::printf("\n  frame-rate text rewritten %d times: %ld allocations\n", calls, text.mainThread);
    for (int mode = 0; mode < shadingModeCount; ++mode) {
        currentShader = mode;
        startAllocCounting();
        for (int i = 0; i < calls; ++i)
            applyShader();
        const AllocCounts uniforms = stopAllocCounting();
        std::printf("  applyShader() x %d in mode %d (uniform look-ups): %ld allocations\n", calls,
                    mode, uniforms.mainThread);
    }
}

// The program's own per-frame work outside drawing, timed on its own.
void reportOwnFrameWork()
{
    const int calls = 20000;
    std::printf("\n== The program's per-frame work besides drawing (microseconds per call) ==\n");
    for (int mode = 0; mode < shadingModeCount; ++mode) {
        currentShader = mode;
        const auto start = BenchClock::now();
        for (int i = 0; i < calls; ++i)
            applyShader();
        glFinish();
        std::printf("  applyShader(), mode %d: %7.3f\n", mode,
                    1000.0 * msBetween(start, BenchClock::now()) / calls);
    }
    const auto start = BenchClock::now();
    for (int i = 0; i < calls; ++i)
        countFrame(glutGet(GLUT_ELAPSED_TIME));
    std::printf("  countFrame(glutGet(GLUT_ELAPSED_TIME)): %7.3f\n",
                1000.0 * msBetween(start, BenchClock::now()) / calls);
}

void reportReading(const std::vector<ReadCost>& images, const std::vector<ReadCost>& sources,
                   const StartupTimes& s)
{
    std::printf("\n== The program's own reading (median of repeats, ms) ==\n");
    double imagesTotal = 0;
    double cubeTotal = 0;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const ReadCost& c = images[i];
        (i < 4 ? imagesTotal : cubeTotal) += c.readMs;
        if (c.ok)
            std::printf("  %-34s %4d x %-4d read %7.3f  of which decoding %7.3f\n", c.path.c_str(),
                        c.width, c.height, c.readMs, c.decodeMs);
        else
            std::printf("  %-34s unreadable\n", c.path.c_str());
    }
    double sourcesTotal = 0;
    for (const ReadCost& c : sources)
        sourcesTotal += c.readMs;
    std::printf("  ten shader sources together: %.3f\n", sourcesTotal);
    std::printf("\n  stage                  total  our reading  the rest (driver, GLU, console)\n");
    std::printf("  five shader programs %7.2f %12.3f %10.2f\n", s.programs, sourcesTotal,
                s.programs - sourcesTotal);
    std::printf("  four 2D images       %7.2f %12.3f %10.2f\n", s.images, imagesTotal,
                s.images - imagesTotal);
    std::printf("  cube map             %7.2f %12.3f %10.2f\n", s.cubeMap, cubeTotal,
                s.cubeMap - cubeTotal);
}

}  // namespace

int main(int argc, char** argv)
{
    const auto processStart = BenchClock::now();
    BenchOptions options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: shadersBench [--frames N] [--warmup N] [--rounds N] "
                             "[--alloc-seconds S]\n");
        return 2;
    }
    int toolkitArgc = 1;
    StartupTimes startup = runTimedStartup(processStart, &toolkitArgc, argv);
    if (!startup.openGl20) {
        std::fputs(startup.console.c_str(), stdout);
        return 1;
    }

    std::printf("shadersBench: renderer %s, OpenGL %s\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    std::printf("load average at start (1, 5, 15 min): %s\n", loadAverage().c_str());
    reportResources(startup);
    reportStartup(startup);

    std::vector<double> firstFrames(shadingModeCount, 0.0);
    for (int mode = 1; mode < shadingModeCount; ++mode)
        firstFrames[mode] = timeFrames(FrameKind::program, mode, 1);
    reportFirstFrames(firstFrames, startup.firstFrame);
    std::printf("\n== Same scene: bare frame read back against the program's, below the text ==\n ");
    for (int mode = 0; mode < shadingModeCount; ++mode)
        std::printf(" mode %d: %s", mode, bareMatchesProgram(mode) ? "same" : "DIFFERENT");
    std::printf("\n");
    std::fflush(stdout);

    // Each round runs every mode's three loops back to back, in an order that
    // turns from round to round, so the machine's drift hits them alike.
    std::vector<RoundTimes> modes(shadingModeCount);
    for (int round = 0; round < options.rounds; ++round) {
        for (int mode = 0; mode < shadingModeCount; ++mode) {
            for (int k = 0; k < kindCount; ++k) {
                const int kind = (k + round + mode) % kindCount;
                prepareFrames(kinds[kind], mode);
                for (int i = 0; i < options.warmup; ++i)
                    drawOneFrame(kinds[kind], mode);
                modes[mode].ms[kind].push_back(timeFrames(kinds[kind], mode, options.frames));
            }
        }
    }
    reportFrameRates(modes, options);
    std::fflush(stdout);

    // A frame limit that is never reached: only what counting frames costs.
    Options counted;
    counted.frames = 2147483647;
    reportOptionsCost("--frames counting", counted, options.rounds, options.frames, options.warmup);
    std::fflush(stdout);

    reportAllocations(options);
    reportOwnFrameWork();
    reportWatchCost(options.rounds / 2, options.frames, options.warmup);
    reportReading(measureImageReading(200), measureShaderReading(200), startup);
    std::printf("\nload average at end (1, 5, 15 min): %s\n", loadAverage().c_str());
    return 0;
}
