#include "bench/startupTiming.h"

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <unistd.h>

#include <cstdio>

#include "app/frame.h"
#include "app/renderState.h"
#include "app/startup.h"
#include "gfx/shadingModes.h"
#include "gfx/textureSet.h"

namespace {

// Start-up prints to stdout; keep it out of the report but look at it.
struct ConsoleCapture {
    std::FILE* file = nullptr;
    int savedStdout = -1;
};

ConsoleCapture captureStdout()
{
    ConsoleCapture capture;
    std::fflush(stdout);
    capture.file = std::tmpfile();
    if (capture.file == nullptr)
        return capture;
    capture.savedStdout = dup(STDOUT_FILENO);
    dup2(fileno(capture.file), STDOUT_FILENO);
    return capture;
}

std::string releaseStdout(ConsoleCapture& capture)
{
    std::string text;
    if (capture.file == nullptr)
        return text;
    std::fflush(stdout);
    dup2(capture.savedStdout, STDOUT_FILENO);
    close(capture.savedStdout);
    std::rewind(capture.file);
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, capture.file)) > 0)
        text.append(chunk, got);
    std::fclose(capture.file);
    capture.file = nullptr;
    return text;
}

void noDisplay() {}

}  // namespace

StartupTimes runTimedStartup(BenchClock::time_point processStart, int* argc, char** argv)
{
    StartupTimes times;
    ConsoleCapture capture = captureStdout();
    auto mark = BenchClock::now();
    auto lap = [&mark] {
        const auto now = BenchClock::now();
        const double ms = msBetween(mark, now);
        mark = now;
        return ms;
    };

    openWindow(argc, argv);
    // The benchmark draws its own frames; the toolkit's redraws do nothing.
    glutDisplayFunc(noDisplay);
    glutReshapeFunc(reshape);
    times.window = lap();
    times.openGl20 = checkOpenGl20();
    times.versionCheck = lap();
    if (!times.openGl20) {
        times.console = releaseStdout(capture);
        return times;
    }
    initRenderState();
    times.renderState = lap();
    buildShaderPrograms();
    times.programs = lap();
    loadTextureImages();
    times.images = lap();
    setupCubeMap();
    times.cubeMap = lap();
    bindTextureUnits();
    times.units = lap();

    const auto giveUp = BenchClock::now() + std::chrono::seconds(5);
    while (windowWidth == 0 && BenchClock::now() < giveUp)
        glutMainLoopEvent();
    times.shown = lap();
    display();
    glFinish();
    times.firstFrame = lap();
    times.total = msBetween(processStart, mark);
    times.console = releaseStdout(capture);
    return times;
}
