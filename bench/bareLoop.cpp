// The benchmark's bare frame in freeglut's own loop, with none of the
// program's input handling: what the toolkit and the driver do by themselves
// under the same X events (tools/memorySlopes.sh compares its memory with the
// program's). Esc ends it, as it does the program.
#include <GL/glew.h>
#include <GL/glut.h>

#include <cstdlib>

#include "app/renderState.h"
#include "app/startup.h"
#include "bench/benchFrames.h"

namespace {

void bareFrame()
{
    drawOneFrame(FrameKind::bare, 0);
}

void bareReshape(int width, int height)
{
    glViewport(0, 0, width, height);
}

void escapeQuits(unsigned char key, int, int)
{
    if (key == 27)
        std::exit(0);
}

}  // namespace

int main(int argc, char** argv)
{
    openWindow(&argc, argv);
    glutDisplayFunc(bareFrame);
    glutIdleFunc(bareFrame);
    glutReshapeFunc(bareReshape);
    glutKeyboardFunc(escapeQuits);
    if (!checkOpenGl20())
        return 1;
    initRenderState();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 800.0 / 600.0, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glutMainLoop();
    return 0;
}
