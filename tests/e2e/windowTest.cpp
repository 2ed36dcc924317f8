// The real program under the test display, driven by real X events.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <fstream>

#include "tests/e2e/programRun.h"
#include "tests/e2e/transcript.h"

namespace {

const int overlayRows = 60;

// Starts the program from the project root and waits until it has drawn for a while.
void startDrawing(ProgramRun& run, const std::vector<std::string>& env = {})
{
    ASSERT_NE(testDisplay(), nullptr) << "no X display: set DISPLAY (the test script starts Xvfb)";
    ASSERT_TRUE(run.startDrawing(SHADERS_SOURCE_DIR, env)) << "no window or no frames; stderr:\n"
                                                          << run.child.err;
}

bool isWhite(uint32_t pixel)
{
    return (pixel >> 16 & 0xff) >= 250 && (pixel >> 8 & 0xff) >= 250 && (pixel & 0xff) >= 250;
}

// Leftmost white pixel within the rows [top, bottom), or -1.
int leftmostWhite(const Screenshot& shot, int top, int bottom)
{
    for (int x = 0; x < shot.width; ++x)
        for (int y = top; y < bottom; ++y)
            if (isWhite(shot.at(x, y)))
                return x;
    return -1;
}

}  // namespace

TEST(ProgramWindow, opensTitledAtItsPlaceAndDrawsTheLitTeapotWithTheOverlay)
{
    ProgramRun run;
    ASSERT_NO_FATAL_FAILURE(startDrawing(run));
    const WindowGeometry g = windowGeometry(testDisplay(), run.window);
    EXPECT_EQ(g.x, 100);
    EXPECT_EQ(g.y, 100);
    EXPECT_EQ(g.width, 800);
    EXPECT_EQ(g.height, 600);

    const Screenshot shot = run.settledScreenshot();
    ASSERT_EQ(shot.width, 800);
    // Grey teapot in the middle, lit from the upper right; black around it.
    const uint32_t middle = shot.at(400, 300);
    EXPECT_GT(middle >> 8 & 0xff, 30u) << std::hex << middle;
    EXPECT_EQ(middle >> 16 & 0xff, middle >> 8 & 0xff) << "not grey: " << std::hex << middle;
    EXPECT_EQ(shot.at(20, 580), 0u);
    EXPECT_EQ(shot.at(780, 580), 0u);
    const int lit = litPixels(shot, overlayRows);
    EXPECT_GT(lit, 20000);
    EXPECT_LT(lit, 200000);
    // Frame-rate line on baseline 25 and key hint on baseline 45, both from x = 30:
    // capitals reach 14 rows up, descenders 3 rows down.
    const int fpsLeft = leftmostWhite(shot, 11, 25);
    const int hintLeft = leftmostWhite(shot, 31, 49);
    EXPECT_GE(fpsLeft, 30);
    EXPECT_LE(fpsLeft, 33);
    EXPECT_GE(hintLeft, 30);
    EXPECT_LE(hintLeft, 33);
    EXPECT_EQ(leftmostWhite(shot, 0, 11), -1) << "text above the frame-rate line";
    EXPECT_EQ(leftmostWhite(shot, 25, 31), -1) << "text between the lines";
    EXPECT_EQ(leftmostWhite(shot, 49, overlayRows), -1) << "text below the key hint";
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0);
}

TEST(ProgramWindow, drawsFramesContinuously)
{
    ProgramRun run;
    ASSERT_NO_FATAL_FAILURE(startDrawing(run));
    ASSERT_TRUE(run.waitForMoreFrames(3, 10000)) << run.child.err;
    const std::vector<int> counts = freeglutFrameCounts(run.child.err);
    // The first second includes start-up; the later ones are steady drawing.
    for (size_t i = 1; i < counts.size(); ++i)
        EXPECT_GT(counts[i], 5) << "second " << i << "\n" << run.child.err;
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0);
}

TEST(ProgramConsole, printsTheWholeStartUpTranscriptBeforeItsLoopAndNothingAfter)
{
    for (const char* name : shaderNames) {
        EXPECT_TRUE(std::ifstream(std::string(SHADERS_SOURCE_DIR "/shaders/") + name + ".vert").good()) << name;
        EXPECT_TRUE(std::ifstream(std::string(SHADERS_SOURCE_DIR "/shaders/") + name + ".frag").good()) << name;
    }
    std::vector<std::string> images(flatTextureNames, flatTextureNames + 4);
    images.insert(images.end(), cubeFaceNames, cubeFaceNames + 6);
    for (const std::string& name : images)
        EXPECT_TRUE(std::ifstream(SHADERS_SOURCE_DIR "/textures/" + name + ".bmp").good()) << name;
    const std::vector<TranscriptPiece> expected = expectedTranscript(SHADERS_SOURCE_DIR);
    ProgramRun run;
    ASSERT_NO_FATAL_FAILURE(startDrawing(run));
    // The console is a pipe here: everything must be there while the window is open.
    run.waitForOutput(minimumLength(expected), 5000);
    EXPECT_EQ(transcriptMismatch(expected, run.child.out), "") << run.child.out;
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0);
    EXPECT_EQ(transcriptMismatch(expected, run.child.out), "") << run.child.out;
    // The texture lines spelled out, names in the order generated on Mesa.
    const std::string tail = "\n-----------------------\n"
                             "\nImage file: 'textures/amethys.bmp' found!Texture loaded, ID: 1"
                             "\nImage file: 'textures/vok.bmp' found!Texture loaded, ID: 2"
                             "\nImage file: 'textures/karirano.bmp' found!Texture loaded, ID: 3"
                             "\nImage file: 'textures/spheremap.bmp' found!Texture loaded, ID: 4"
                             "\nImage file: 'textures/terrain_negative_x.bmp' found!"
                             "\nImage file: 'textures/terrain_positive_x.bmp' found!"
                             "\nImage file: 'textures/terrain_negative_y.bmp' found!"
                             "\nImage file: 'textures/terrain_positive_y.bmp' found!"
                             "\nImage file: 'textures/terrain_negative_z.bmp' found!"
                             "\nImage file: 'textures/terrain_positive_z.bmp' found!Texture loaded, ID: 5";
    ASSERT_GE(run.child.out.size(), tail.size());
    EXPECT_EQ(run.child.out.substr(run.child.out.size() - tail.size()), tail);
}

TEST(ProgramConsole, withoutOpenGl20SaysSoAndEndsWithStatus1BeforeDrawing)
{
    ASSERT_NE(testDisplay(), nullptr);
    ProgramRun run;
    ASSERT_TRUE(run.start(SHADERS_SOURCE_DIR, {"MESA_GL_VERSION_OVERRIDE=1.5"}));
    ASSERT_TRUE(waitForExit(run.child, windowTimeoutMs));
    EXPECT_EQ(exitCode(run.child), 1);
    EXPECT_EQ(run.child.out, "OpenGL 2.0 not supported\n");
    EXPECT_EQ(freeglutFrameLines(run.child.err), 0) << run.child.err;
}

TEST(ProgramInput, leftDragTurnsTheTeapot)
{
    ProgramRun run;
    ASSERT_NO_FATAL_FAILURE(startDrawing(run));
    const Screenshot before = run.settledScreenshot();
    const int x = run.centreX();
    const int y = run.centreY();
    drag(testDisplay(), 1, x, y, x + 40, y + 15, 10);
    const Screenshot after = run.settledScreenshot();
    EXPECT_GT(differingPixels(before, after, 250, 200, 550, 400), 3000);
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0);
}

TEST(ProgramInput, rightDragZoomsWithHorizontalMovementOnly)
{
    ProgramRun run;
    ASSERT_NO_FATAL_FAILURE(startDrawing(run));
    const Screenshot start = run.settledScreenshot();
    const int x = run.centreX();
    const int y = run.centreY();
    // Vertical movement alone leaves the distance as it was.
    drag(testDisplay(), 3, x, y - 100, x, y + 100, 10);
    const Screenshot vertical = run.settledScreenshot();
    EXPECT_EQ(differingPixels(start, vertical, 0, overlayRows, 800, 600), 0);
    // 100 pixels to the left take the eye 10 units farther away.
    drag(testDisplay(), 3, x + 50, y, x - 50, y, 10);
    const Screenshot farther = run.settledScreenshot();
    EXPECT_LT(litPixels(farther, overlayRows), litPixels(start, overlayRows) / 3);
    EXPECT_GT(litPixels(farther, overlayRows), 0);
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0);
}

TEST(ProgramInput, sCyclesSixModesAndATogglesWireframe)
{
    ProgramRun run;
    ASSERT_NO_FATAL_FAILURE(startDrawing(run));
    const Screenshot filled = run.settledScreenshot();
    run.pressKey(XK_a, true);
    const Screenshot wire = run.settledScreenshot();
    EXPECT_LT(litPixels(wire, overlayRows), litPixels(filled, overlayRows) * 9 / 10);
    EXPECT_GT(litPixels(wire, overlayRows), 1000);
    run.pressKey(XK_a);
    EXPECT_EQ(differingPixels(filled, run.settledScreenshot(), 0, overlayRows, 800, 600), 0);

    run.pressKey(XK_s);
    EXPECT_GT(differingPixels(filled, run.settledScreenshot(), 0, overlayRows, 800, 600), 1000)
        << "mode 1 looks like mode 0";
    for (int mode = 2; mode <= 6; ++mode)
        run.pressKey(XK_s, mode % 2 == 0);
    EXPECT_EQ(differingPixels(filled, run.settledScreenshot(), 0, overlayRows, 800, 600), 0)
        << "six presses did not return to mode 0";
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0);
}
