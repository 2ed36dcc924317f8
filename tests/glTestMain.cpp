// Entry point of the tests that need a real OpenGL context: one GLUT window
// on the X display, opened by the program's own start-up code.
#include <GL/glew.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/startup.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "These tests draw with OpenGL and need an X display: set DISPLAY "
                             "(the test script starts Xvfb for them).\n");
        return 1;
    }
    openWindow(&argc, argv);
    if (!checkOpenGl20())
        return 1;
    // Let the window map so the back buffer has its final size. Tests draw
    // their own frames, so the toolkit's redraws do nothing.
    glutDisplayFunc([] {});
    for (int i = 0; i < 10; ++i)
        glutMainLoopEvent();
    const int result = RUN_ALL_TESTS();
    // Mesa may still hold batched bitmap text from a frame that was never
    // swapped; drawing it while the toolkit closes the display at exit needs
    // the JIT after its own teardown, which crashes. Finish it now.
    glFinish();
    glutDestroyWindow(glutGetWindow());
    return result;
}
