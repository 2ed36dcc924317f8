#include "bench/benchFrames.h"

#include <GL/glew.h>
#include <GL/glut.h>

#include <vector>

#include "app/frame.h"
#include "app/frameRate.h"
#include "app/renderState.h"
#include "app/runOptions.h"
#include "bench/benchStats.h"
#include "gfx/shadingModes.h"
#include "view/camera.h"

namespace {

void useModeProgram()
{
    shaderPrograms[currentShader].use();
}

void clearBuffers()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void drawTeapot()
{
    glutSolidTeapot(1.0);
}

void swapBuffers()
{
    glutSwapBuffers();
}

}  // namespace

const FrameStep bareOverlaySteps[bareOverlayStepCount] = {
    {"use the mode's program", useModeProgram},
    {"clear", clearBuffers},
    {"look-at and light", lookAtCameraAndLight},
    {"teapot", drawTeapot},
    {"overlay: program 0, state, projection", beginOverlay},
    {"overlay: two text lines", drawOverlayText},
    {"overlay: restore", endOverlay},
    {"swap", swapBuffers},
};

void prepareFrames(FrameKind kind, int mode)
{
    currentShader = mode;
    // The uniforms the program sent in earlier frames stay in its program
    // object, so the bare frames need no look-ups to draw the same picture.
    if (kind == FrameKind::bare)
        shaderPrograms[mode].use();
}

void drawOneFrame(FrameKind kind, int mode)
{
    switch (kind) {
    case FrameKind::program:
        currentShader = mode;
        display();
        break;
    case FrameKind::bare:
        clearBuffers();
        lookAtCameraAndLight();
        drawTeapot();
        swapBuffers();
        break;
    case FrameKind::bareOverlay:
        currentShader = mode;
        for (const FrameStep& step : bareOverlaySteps)
            step.run();
        break;
    case FrameKind::optioned:
        currentShader = mode;
        optionedDisplay();
        break;
    }
}

bool bareMatchesProgram(int mode)
{
    // Below the overlay text, the two frames must agree to the byte.
    const int top = 60;
    const int width = windowWidth;
    const int height = windowHeight - top;
    if (width <= 0 || height <= 0)
        return false;
    std::vector<unsigned char> program(static_cast<std::size_t>(width) * height * 4);
    std::vector<unsigned char> bare(program.size());
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);

    currentShader = mode;
    drawFrame();
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, program.data());
    swapBuffers();

    prepareFrames(FrameKind::bare, mode);
    clearBuffers();
    lookAtCameraAndLight();
    drawTeapot();
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bare.data());
    swapBuffers();
    return program == bare;
}

double timeFrames(FrameKind kind, int mode, int frames)
{
    prepareFrames(kind, mode);
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(frames));
    // Each swap waits for the frame's rendering to finish, so a frame's
    // time is the time between two swaps' returns.
    glFinish();
    auto last = BenchClock::now();
    for (int i = 0; i < frames; ++i) {
        drawOneFrame(kind, mode);
        const auto now = BenchClock::now();
        ms.push_back(msBetween(last, now));
        last = now;
    }
    return median(ms);
}
