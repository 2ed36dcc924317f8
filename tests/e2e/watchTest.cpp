// --watch with the real program: shaders and images saved the ways editors
// save them, in a scratch copy of shaders/ and textures/.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/e2e/programRun.h"
#include "tests/e2e/transcript.h"

namespace fs = std::filesystem;

namespace {

const char modeOneFragment[] = "shaders/osnovnoTexturiranje.frag";
const std::string cleanBuild =
    "\n--Vertex Shader Info--\n\n----------------------\n"
    "\n--Fragment Shader Info--\n\n------------------------\n"
    "\n--Shader Program Info--\n\n-----------------------\n";
const std::string changedLine = "\nShader file changed: 'shaders/osnovnoTexturiranje.frag'";
// A save shows within a second; a sanitizer build on a busy machine draws
// several times slower, so it gets more.
#if defined(__SANITIZE_ADDRESS__)
const int showsWithinMs = 4000;
#else
const int showsWithinMs = 1000;
#endif
// The error line's glyphs sit around its baseline, 20 pixels below the key hint's.
const int errorRowsTop = 50;
const int errorRowsBottom = 72;

std::string solidFragment(const char* colour)
{
    return std::string("#version 110\nvoid main()\n{\n    gl_FragColor = vec4(") + colour + ");\n}\n";
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The three ways an editor saves.
void saveInPlace(const std::string& path, const std::string& text)
{
    writeFile(path, text);
}

void saveByRename(const std::string& path, const std::string& text)
{
    const std::string temporary = fs::path(path).parent_path() / ".save.tmp";
    writeFile(temporary, text);
    fs::rename(temporary, path);
}

void saveByDeleteAndCreate(const std::string& path, const std::string& text)
{
    fs::remove(path);
    writeFile(path, text);
}

bool isWhite(uint32_t pixel)
{
    return (pixel >> 16 & 0xff) >= 250 && (pixel >> 8 & 0xff) >= 250 && (pixel & 0xff) >= 250;
}

int whitePixels(const Screenshot& shot, int top, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom && y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            count += isWhite(shot.at(x, y));
    return count;
}

bool near(uint32_t pixel, uint32_t colour)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>(pixel >> shift & 0xff);
        const int b = static_cast<int>(colour >> shift & 0xff);
        if (a - b > 3 || b - a > 3)
            return false;
    }
    return true;
}

class Watch : public testing::Test {
protected:
    ScratchDir dir;
    ProgramRun run;

    void SetUp() override
    {
        ASSERT_NE(testDisplay(), nullptr) << "no X display: set DISPLAY (the test script starts Xvfb)";
        copyProjectShaders(dir.path);
        std::error_code ignored;
        fs::copy(fs::path(SHADERS_SOURCE_DIR) / "textures", fs::path(dir.path) / "textures",
                 fs::copy_options::recursive, ignored);
    }
    std::string file(const char* relative) const { return dir.path + "/" + relative; }

    void startInModeOne(const std::vector<std::string>& args)
    {
        ASSERT_TRUE(run.startDrawing(dir.path, {}, args)) << run.child.out << run.child.err;
        run.pressKey(XK_s);
        ASSERT_TRUE(run.waitForMoreFrames(1, 10000)) << run.child.err;
    }

    // Grabs until `accept` holds, for at most `ms`; the last grab is left in `shot`.
    bool grabUntil(int ms, const std::function<bool(const Screenshot&)>& accept, Screenshot& shot)
    {
        const long long deadline = nowMs() + ms;
        do {
            drainOutput(run.child);
            shot = grabWindow(testDisplay(), run.window);
            if (accept(shot))
                return true;
            sleepMs(15);
        } while (nowMs() < deadline);
        return false;
    }

    uint32_t centre(const Screenshot& shot) const { return shot.at(shot.width / 2, shot.height / 2); }

    // Saves, then expects the teapot's middle in `colour` within a second.
    void expectSavedColour(void (*save)(const std::string&, const std::string&), const char* glsl,
                           uint32_t colour)
    {
        const size_t consoleBefore = run.child.out.size();
        save(file(modeOneFragment), solidFragment(glsl));
        Screenshot shot;
        const long long saved = nowMs();
        EXPECT_TRUE(grabUntil(showsWithinMs, [&](const Screenshot& s) { return near(centre(s), colour); }, shot))
            << "middle " << std::hex << centre(shot) << " " << std::dec << nowMs() - saved
            << " ms after saving vec4(" << glsl << ")";
        run.pause(300);
        EXPECT_EQ(run.child.out.substr(consoleBefore), changedLine + cleanBuild)
            << "one save, one rebuild";
    }
};

}  // namespace

TEST_F(Watch, savedShaderRedrawsItsModeKeepsTheLastGoodOneOnErrorsAndShowsTheError)
{
    ASSERT_NO_FATAL_FAILURE(startInModeOne({"--watch"}));
    const int hintOnly = whitePixels(run.settledScreenshot(), errorRowsTop, errorRowsBottom);

    expectSavedColour(saveByRename, "1.0, 0.0, 0.0, 1.0", 0xff0000);
    expectSavedColour(saveInPlace, "0.0, 1.0, 0.0, 1.0", 0x00ff00);
    expectSavedColour(saveByDeleteAndCreate, "0.0, 0.0, 1.0, 1.0", 0x0000ff);

    // Broken: its log on the console, the last good program still drawing, the error in the window.
    size_t consoleBefore = run.child.out.size();
    saveInPlace(file(modeOneFragment), "#version 110\nvoid main()\n{\n    gl_FragColor = vec4(1.0)\n}\n");
    Screenshot shot;
    EXPECT_TRUE(grabUntil(showsWithinMs, [&](const Screenshot& s) {
        return whitePixels(s, errorRowsTop, errorRowsBottom) > hintOnly + 100;
    }, shot)) << "no error line below the key hint";
    EXPECT_TRUE(near(centre(shot), 0x0000ff)) << std::hex << centre(shot);
    run.pause(300);
    const std::string broken = run.child.out.substr(consoleBefore);
    EXPECT_EQ(broken.rfind(changedLine + "\n--Vertex Shader Info--\n\n----------------------\n"
                                         "\n--Fragment Shader Info--\n\n0:5(1): error: ", 0),
              0u)
        << broken;
    EXPECT_NE(broken.find("\n--Shader Program Info--\n"), std::string::npos) << broken;
    EXPECT_TRUE(near(centre(run.settledScreenshot()), 0x0000ff)) << "the last good program keeps drawing";

    // Fixed: drawn, and the error line gone.
    expectSavedColour(saveInPlace, "1.0, 1.0, 0.0, 1.0", 0xffff00);
    EXPECT_TRUE(grabUntil(showsWithinMs, [&](const Screenshot& s) {
        return whitePixels(s, errorRowsTop, errorRowsBottom) == hintOnly;
    }, shot)) << "the error line stays after a clean build";

    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0) << run.child.err;
}

TEST_F(Watch, rewrittenImageChangesTheTexelsAndAMissingOneIsShown)
{
    ASSERT_NO_FATAL_FAILURE(startInModeOne({"--watch"}));
    const Screenshot before = run.settledScreenshot();
    const int hintOnly = whitePixels(before, errorRowsTop, errorRowsBottom);
    ASSERT_FALSE(near(centre(before), 0xff00ff));

    size_t consoleBefore = run.child.out.size();
    writeBmp(file("textures/amethys.bmp"), 8, 8, 255, 0, 255);
    Screenshot shot;
    EXPECT_TRUE(grabUntil(showsWithinMs, [&](const Screenshot& s) { return near(centre(s), 0xff00ff); }, shot))
        << "middle " << std::hex << centre(shot);
    run.pause(300);
    EXPECT_EQ(run.child.out.substr(consoleBefore),
              "\nImage file: 'textures/amethys.bmp' found!Texture loaded, ID: 1");

    consoleBefore = run.child.out.size();
    fs::remove(file("textures/amethys.bmp"));
    EXPECT_TRUE(grabUntil(showsWithinMs, [&](const Screenshot& s) {
        return whitePixels(s, errorRowsTop, errorRowsBottom) > hintOnly + 100;
    }, shot)) << "no error line for the missing image";
    EXPECT_TRUE(near(centre(shot), 0xff00ff)) << "the texels stay: " << std::hex << centre(shot);
    run.pause(300);
    EXPECT_EQ(run.child.out.substr(consoleBefore), "\nImage file: 'textures/amethys.bmp' NOT found!");

    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0) << run.child.err;
}

TEST_F(Watch, missingTexturesFolderIsSaidOnceAndShadersAreStillWatched)
{
    fs::remove_all(file("textures"));
    ASSERT_NO_FATAL_FAILURE(startInModeOne({"--watch"}));
    EXPECT_NE(run.child.out.find("\nWatching: there is no folder 'textures/' here, so it is not "
                                 "watched"),
              std::string::npos)
        << run.child.out;
    expectSavedColour(saveByRename, "1.0, 0.0, 0.0, 1.0", 0xff0000);
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0) << run.child.err;
}

TEST_F(Watch, withoutTheOptionASavedChangeAltersNothingAndPrintsNothing)
{
    ASSERT_NO_FATAL_FAILURE(startInModeOne({}));
    const Screenshot before = run.settledScreenshot();
    const size_t consoleBefore = run.child.out.size();
    saveInPlace(file(modeOneFragment), solidFragment("1.0, 0.0, 0.0, 1.0"));
    writeBmp(file("textures/amethys.bmp"), 8, 8, 255, 0, 255);
    ASSERT_TRUE(run.waitForMoreFrames(1, 10000));
    const Screenshot after = run.settledScreenshot();
    EXPECT_EQ(differingPixels(before, after, 0, 60, after.width, after.height), 0);
    EXPECT_EQ(run.child.out.size(), consoleBefore) << run.child.out.substr(consoleBefore);
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0) << run.child.err;
}
