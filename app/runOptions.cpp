#include "app/runOptions.h"

#include <GL/glut.h>

#include <cstdlib>

#include "app/frame.h"
#include "app/screenshot.h"
#include "app/watch.h"
#include "gfx/shadingModes.h"
#include "view/input.h"

namespace {

Options runOptions;
int framesDrawn = 0;

// Ends the run after its last frame, as Esc does, once the picture is saved.
void finishRun()
{
    const bool saved = runOptions.screenshot.empty() || saveScreenshot(runOptions.screenshot);
    glutSwapBuffers();
    std::exit(saved ? 0 : 1);
}

}  // namespace

void applyOptions(const Options& options)
{
    runOptions = options;
    currentShader = options.mode;
    if (options.wireframe)
        togglePolygonMode();
    if (options.watch)
        startWatching();
    if (options.frames > 0 || options.watch) {
        glutDisplayFunc(optionedDisplay);
        glutIdleFunc(optionedDisplay);
    }
}

void optionedDisplay()
{
    if (runOptions.watch)
        pollWatch();
    drawFrame();
    if (runOptions.watch)
        drawWatchStatus();
    if (runOptions.frames > 0 && ++framesDrawn >= runOptions.frames)
        finishRun();
    glutSwapBuffers();
}
