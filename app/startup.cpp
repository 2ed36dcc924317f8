#include "app/startup.h"

#include <GL/glew.h>
#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>

#include "app/frame.h"
#include "app/memoryLimits.h"
#include "app/options.h"
#include "app/runOptions.h"
#include "app/renderState.h"
#include "gfx/shadingModes.h"
#include "gfx/textureSet.h"
#include "view/input.h"

void openWindow(int* argc, char** argv, int width, int height)
{
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(width, height);
    glutCreateWindow("Shaders");
}

void registerCallbacks()
{
    // Drawing from the idle callback redraws as fast as the loop runs.
    glutDisplayFunc(display);
    glutIdleFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);
}

bool checkOpenGl20()
{
    glewInit();
    const bool supported = glewIsSupported("GL_VERSION_2_0");
    std::fputs(supported ? "Ready for OpenGL 2.0\n" : "OpenGL 2.0 not supported\n", stdout);
    return supported;
}

int runProgram(int argc, char** argv)
{
    keepLargeBlocksOutOfTheHeap();
    // Before the toolkit, which needs a display: --help and errors do not.
    const CommandLine commandLine = parseCommandLine(&argc, argv);
    if (commandLine.outcome != CommandLineOutcome::run)
        return reportCommandLine(commandLine);
    const Options& options = commandLine.options;
    openWindow(&argc, argv, options.width, options.height);
    registerCallbacks();
    if (!checkOpenGl20())
        std::exit(1);
    initRenderState();
    buildShaderPrograms();
    setupTextures();
    applyOptions(options);
    // A console that is a pipe would otherwise see nothing until exit.
    std::fflush(stdout);
    glutMainLoop();
    return 0;
}
