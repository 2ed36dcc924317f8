#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "gfx/shadingModes.h"
#include "view/camera.h"
#include "view/input.h"

// These run without a GL context: the one GL call (A's polygon mode) goes to
// the library's no-op dispatch. What OpenGL ends up with is checked in glTests.

namespace {

void resetInput()
{
    leftButtonDown = false;
    rightButtonDown = false;
    lastMouseX = 0;
    lastMouseY = 0;
    polygonFill = true;
    currentShader = 0;
    camera = Camera();
    cameraDistance = 5.0f;
}

}  // namespace

TEST(Keyboard, KeysInBothCases)
{
    struct Case {
        unsigned char key;
        int shaderAfter;
        bool fillAfter;
    };
    const Case cases[] = {
        {'s', 1, true}, {'S', 1, true}, {'a', 0, false}, {'A', 0, false},
        {'d', 0, true}, {'x', 0, true}, {' ', 0, true},  {0, 0, true},
        {255, 0, true}, {'1', 0, true},
    };
    for (const Case& c : cases) {
        resetInput();
        keyboard(c.key, 10, 20);
        SCOPED_TRACE(static_cast<int>(c.key));
        EXPECT_EQ(currentShader, c.shaderAfter);
        EXPECT_EQ(polygonFill, c.fillAfter);
    }
}

TEST(Keyboard, SixPressesOfSReturnToTheStartingMode)
{
    resetInput();
    const int expected[] = {1, 2, 3, 4, 5, 0};
    for (int mode : expected) {
        keyboard('S', 0, 0);
        EXPECT_EQ(currentShader, mode);
    }
}

TEST(Keyboard, SecondAPressRestoresFill)
{
    resetInput();
    keyboard('a', 0, 0);
    keyboard('A', 0, 0);
    EXPECT_TRUE(polygonFill);
}

TEST(KeyboardDeathTest, EscapeExitsWithStatusZero)
{
    EXPECT_EXIT(keyboard(27, 0, 0), testing::ExitedWithCode(0), "");
}

TEST(Mouse, ButtonsAndStates)
{
    struct Case {
        int button;
        int state;
        bool left;
        bool right;
        bool remembers;
    };
    const Case cases[] = {
        {GLUT_LEFT_BUTTON, GLUT_DOWN, true, false, true},
        {GLUT_LEFT_BUTTON, GLUT_UP, false, false, false},
        {GLUT_RIGHT_BUTTON, GLUT_DOWN, false, true, true},
        {GLUT_RIGHT_BUTTON, GLUT_UP, false, false, false},
        {GLUT_MIDDLE_BUTTON, GLUT_DOWN, false, false, false},
        {GLUT_MIDDLE_BUTTON, GLUT_UP, false, false, false},
        {3, GLUT_DOWN, false, false, false},  // wheel
        {GLUT_LEFT_BUTTON, 7, false, false, false},
        {GLUT_RIGHT_BUTTON, -1, false, false, false},
    };
    for (const Case& c : cases) {
        resetInput();
        mouse(c.button, c.state, 40, 60);
        SCOPED_TRACE(testing::Message() << "button " << c.button << " state " << c.state);
        EXPECT_EQ(leftButtonDown, c.left);
        EXPECT_EQ(rightButtonDown, c.right);
        EXPECT_EQ(lastMouseX, c.remembers ? 40 : 0);
        EXPECT_EQ(lastMouseY, c.remembers ? 60 : 0);
    }
}

TEST(Mouse, ReleaseClearsOnlyItsOwnButton)
{
    resetInput();
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 1, 1);
    mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 2, 2);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 3, 3);
    EXPECT_FALSE(leftButtonDown);
    EXPECT_TRUE(rightButtonDown);
    EXPECT_EQ(lastMouseX, 2);
}

TEST(Motion, LeftDragTurnsUpThenRightByPixelsOverFifty)
{
    resetInput();
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100);
    motion(90, 104);
    Camera expected;
    expected.rotateAroundUp(10 / 50.0);
    expected.rotateAroundRight(-4 / 50.0);
    EXPECT_EQ(camera.direction.x, expected.direction.x);
    EXPECT_EQ(camera.direction.y, expected.direction.y);
    EXPECT_EQ(camera.direction.z, expected.direction.z);
    EXPECT_EQ(lastMouseX, 90);
    EXPECT_EQ(lastMouseY, 104);
    EXPECT_EQ(cameraDistance, 5.0f);
}

TEST(Motion, VerticalOnlyLeftDragStillRecomputesRight)
{
    resetInput();
    camera.direction = {0.6f, 0.0f, 0.8f};
    camera.right = {0.0f, 0.0f, 0.0f};
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 50, 50);
    motion(50, 40);
    EXPECT_NEAR(camera.right.x, 0.8f, 1e-6f);
    EXPECT_NEAR(camera.right.z, -0.6f, 1e-6f);
}

TEST(Motion, RightDragZoomsWithHorizontalMovementOnly)
{
    struct Case {
        float before;
        int dx;
        int dy;
        float after;
    };
    const Case cases[] = {
        {5.0f, -20, 0, 7.0f},      // left: farther
        {5.0f, 20, 0, 3.0f},       // right: closer
        {5.0f, 0, 300, 5.0f},      // vertical: nothing
        {5.0f, 60, 0, 1.0f},       // clamped
        {1.0f, 0, 0, 1.0f},        // exactly 1.0 stays
        {1.0f, -5000, 0, 501.0f},  // no upper limit
        {2.5f, 3, 0, static_cast<float>(-0.3 + 2.5f)},
    };
    for (const Case& c : cases) {
        resetInput();
        cameraDistance = c.before;
        mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 200, 200);
        motion(200 + c.dx, 200 + c.dy);
        SCOPED_TRACE(testing::Message() << c.before << " by " << c.dx);
        EXPECT_EQ(cameraDistance, c.after);
        EXPECT_EQ(lastMouseX, 200 + c.dx);
        EXPECT_EQ(lastMouseY, 200 + c.dy);
        EXPECT_EQ(camera.direction.z, 1.0f);
    }
}

TEST(Motion, BothButtonsHeldTheOrbitWins)
{
    resetInput();
    mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 0, 0);
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
    motion(-25, 0);
    EXPECT_EQ(cameraDistance, 5.0f);
    EXPECT_EQ(camera.direction.x, static_cast<float>(std::sin(0.5)));
}

TEST(Motion, NoButtonOrMiddleButtonOnlyRemembersThePosition)
{
    for (bool middle : {false, true}) {
        resetInput();
        if (middle)
            mouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 5, 5);
        motion(300, -40);
        EXPECT_EQ(lastMouseX, 300);
        EXPECT_EQ(lastMouseY, -40);
        EXPECT_EQ(cameraDistance, 5.0f);
        EXPECT_EQ(camera.direction.z, 1.0f);
        EXPECT_EQ(camera.up.y, 1.0f);
    }
}

// Thousands of random events, however large: the camera stays finite.
TEST(Motion, RandomEventsKeepTheCameraFinite)
{
    resetInput();
    unsigned state = 12345u;
    auto next = [&state]() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int i = 0; i < 20000; ++i) {
        const unsigned r = next();
        const int x = static_cast<int>(next() % 65536) - 32768;
        const int y = static_cast<int>(next() % 65536) - 32768;
        switch (r % 4) {
        case 0:
            mouse(static_cast<int>(next() % 3), static_cast<int>(next() % 2), x, y);
            break;
        case 3:
            motion(x / static_cast<int>(1 + next() % 1000), y / static_cast<int>(1 + next() % 1000));
            break;
        default:
            motion(x, y);
            break;
        }
        const float values[] = {camera.direction.x, camera.direction.y, camera.direction.z,
                                camera.up.x,        camera.up.y,        camera.up.z,
                                camera.right.x,     camera.right.y,     camera.right.z,
                                cameraDistance};
        for (float v : values)
            ASSERT_TRUE(std::isfinite(v)) << "after event " << i;
        ASSERT_GE(cameraDistance, 1.0f);
    }
}
