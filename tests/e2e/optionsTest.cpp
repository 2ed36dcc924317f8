// The command line, end to end: what each option makes the real program do.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/options.h"
#include "tests/e2e/programRun.h"
#include "tests/e2e/transcript.h"
#include "tests/pngRead.h"

namespace {

// Below the frame-rate line, which a long-running window shows and a short run does not.
const int belowFrameRate = 32;

// Runs the program to its end; false when it does not end in time.
bool runToEnd(ProgramRun& run, const std::vector<std::string>& args,
              const std::vector<std::string>& env = {})
{
    return run.start(SHADERS_SOURCE_DIR, env, args) && waitForExit(run.child, windowTimeoutMs);
}

Screenshot asScreenshot(const RgbImage& image)
{
    Screenshot shot;
    shot.width = image.width;
    shot.height = image.height;
    for (size_t i = 0; i + 2 < image.rgb.size(); i += 3)
        shot.pixels.push_back(static_cast<uint32_t>(image.rgb[i]) << 16 |
                              static_cast<uint32_t>(image.rgb[i + 1]) << 8 | image.rgb[i + 2]);
    return shot;
}

// Pixels not exactly alike from `firstRow` down; -1 when the sizes differ.
int unequalPixels(const Screenshot& a, const Screenshot& b, int firstRow)
{
    if (a.width != b.width || a.height != b.height)
        return -1;
    int count = 0;
    for (int y = firstRow; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            count += a.at(x, y) != b.at(x, y);
    return count;
}

// The picture --screenshot writes for these options after three frames.
void takeScreenshot(std::vector<std::string> args, const std::string& path, Screenshot& shot)
{
    args.insert(args.end(), {"--frames", "3", "--screenshot", path});
    ProgramRun run;
    ASSERT_TRUE(runToEnd(run, args)) << run.child.err;
    ASSERT_EQ(exitCode(run.child), 0) << run.child.err;
    RgbImage image;
    ASSERT_TRUE(readPng(path, image)) << path;
    shot = asScreenshot(image);
}

}  // namespace

TEST(ProgramOptions, helpAndBadOptionsNeedNoDisplayAndOpenNoWindow)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{"--help"}, 0, usageText, ""},
        {{"--mode", "6"}, 2, "", std::string("shaders: --mode takes a shading mode from 0 to 5, not '6'\n") + usageText},
        {{"--size=0x10"}, 2, "", std::string("shaders: --size takes WIDTHxHEIGHT, each from 1 to 8192, not '0x10'\n") + usageText},
        {{"--frames"}, 2, "", std::string("shaders: --frames needs a value\n") + usageText},
        {{"--fullscreen"}, 2, "", std::string("shaders: unknown option '--fullscreen'\n") + usageText},
    };
    for (const Case& c : cases) {
        ProgramRun run;
        ASSERT_TRUE(runToEnd(run, c.args, {"DISPLAY"})) << c.args[0];
        EXPECT_EQ(exitCode(run.child), c.status) << c.args[0];
        EXPECT_EQ(run.child.out, c.out) << c.args[0];
        EXPECT_EQ(run.child.err, c.err) << c.args[0];
    }
}

TEST(ProgramOptions, framesEndsWithStatus0AfterThePlainConsole)
{
    ProgramRun run;
    ASSERT_TRUE(runToEnd(run, {"--frames", "30"})) << run.child.err;
    EXPECT_EQ(exitCode(run.child), 0) << run.child.err;
    EXPECT_EQ(transcriptMismatch(expectedTranscript(SHADERS_SOURCE_DIR), run.child.out), "");
}

TEST(ProgramOptions, everyModesScreenshotIsTheWindowsPictureAtItsSize)
{
    ASSERT_NE(testDisplay(), nullptr) << "no X display: set DISPLAY (the test script starts Xvfb)";
    ScratchDir scratch;
    struct Case {
        int mode;
        int width;
        int height;
    };
    // An odd width catches rows read back with padding.
    const Case cases[] = {{0, 800, 600}, {1, 320, 240}, {2, 641, 479},
                          {3, 333, 517}, {4, 1024, 300}, {5, 400, 400}};
    for (const Case& c : cases) {
        const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
        const std::vector<std::string> args = {"--mode", std::to_string(c.mode), "--size", size};
        SCOPED_TRACE("mode " + std::to_string(c.mode) + " at " + size);
        Screenshot saved;
        ASSERT_NO_FATAL_FAILURE(takeScreenshot(args, scratch.path + "/shot.png", saved));
        EXPECT_EQ(saved.width, c.width);
        EXPECT_EQ(saved.height, c.height);

        ProgramRun run;
        ASSERT_TRUE(run.startDrawing(SHADERS_SOURCE_DIR, {}, args)) << run.child.err;
        const WindowGeometry g = windowGeometry(testDisplay(), run.window);
        EXPECT_EQ(g.width, c.width);
        EXPECT_EQ(g.height, c.height);
        const Screenshot shown = run.settledScreenshot();
        EXPECT_EQ(unequalPixels(saved, shown, belowFrameRate), 0);
        EXPECT_GT(litPixels(saved, belowFrameRate), c.width * c.height / 50) << "no teapot";
        EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0);
    }
}

TEST(ProgramOptions, startingModeAndWireframeAreWhereTheKeysGoOnFrom)
{
    ASSERT_NE(testDisplay(), nullptr) << "no X display: set DISPLAY (the test script starts Xvfb)";
    ScratchDir scratch;
    const std::vector<std::string> small = {"--size", "320x240"};
    Screenshot filled;
    Screenshot wire;
    ASSERT_NO_FATAL_FAILURE(takeScreenshot(small, scratch.path + "/filled.png", filled));
    std::vector<std::string> wireArgs = small;
    wireArgs.push_back("--wireframe");
    ASSERT_NO_FATAL_FAILURE(takeScreenshot(wireArgs, scratch.path + "/wire.png", wire));
    EXPECT_LT(litPixels(wire, belowFrameRate), litPixels(filled, belowFrameRate) * 9 / 10);
    EXPECT_GT(litPixels(wire, belowFrameRate), 200);

    // In wireframe from the start, A fills; in mode 5, S goes on to mode 0.
    ProgramRun run;
    ASSERT_TRUE(run.startDrawing(SHADERS_SOURCE_DIR, {}, {"--size", "320x240", "--wireframe", "--mode", "5"}))
        << run.child.err;
    const Screenshot mode5Wire = run.settledScreenshot();
    EXPECT_GT(unequalPixels(mode5Wire, wire, belowFrameRate), 200) << "mode 5 drew as mode 0";
    run.pressKey(XK_a);
    run.pressKey(XK_s);
    EXPECT_EQ(unequalPixels(run.settledScreenshot(), filled, belowFrameRate), 0);
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0);
}

TEST(ProgramOptions, anUnwritableScreenshotSaysWhereAndWhyAndFails)
{
    ScratchDir scratch;
    const std::string path = scratch.path + "/no such folder/shot.png";
    ProgramRun run;
    ASSERT_TRUE(runToEnd(run, {"--screenshot", path})) << run.child.err;
    EXPECT_NE(exitCode(run.child), 0);
    EXPECT_EQ(run.child.err, "shaders: cannot write the screenshot '" + path +
                                 "': No such file or directory\n");
    EXPECT_NE(access(path.c_str(), F_OK), 0);
}
