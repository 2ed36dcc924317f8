// Starts from working directories that lack resources or hold damaged ones.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/e2e/programRun.h"
#include "tests/e2e/transcript.h"

namespace {

// Start, every mode drawing for a while, then Esc: the console as it was before the loop.
void runThroughEveryMode(const std::string& workDir, std::string& console)
{
    ASSERT_NE(testDisplay(), nullptr) << "no X display: set DISPLAY (the test script starts Xvfb)";
    ProgramRun run;
    ASSERT_TRUE(run.startDrawing(workDir)) << run.child.out << run.child.err;
    for (int mode = 1; mode <= 6; ++mode) {
        run.pressKey(XK_s);
        ASSERT_TRUE(run.waitForMoreFrames(1, 10000)) << "no frames after press " << mode << "\n"
                                                     << run.child.err;
    }
    EXPECT_EQ(run.escapeAndWait(exitTimeoutMs), 0) << run.child.err;
    console = run.child.out;
}

void truncate(const std::string& path, int keepBytes)
{
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(keepBytes));
}

}  // namespace

TEST(ProgramResources, fromAnEmptyDirectoryReportsEveryMissingFileAndStillDrawsEveryMode)
{
    ScratchDir dir;
    std::string console;
    ASSERT_NO_FATAL_FAILURE(runThroughEveryMode(dir.path, console));
    const std::vector<TranscriptPiece> expected = expectedTranscript(dir.path);
    EXPECT_EQ(transcriptMismatch(expected, console), "") << console;
    // Spelled out once, so the builder above cannot hide a fault in itself.
    EXPECT_NE(console.find("\n--Vertex Shader Info--\nFile not found\n\n--Fragment Shader Info--\n"
                           "File not found\n\n--Shader Program Info--\n"),
              std::string::npos);
    const std::string tail = "\nImage file: 'textures/amethys.bmp' NOT found!"
                             "\nImage file: 'textures/vok.bmp' NOT found!"
                             "\nImage file: 'textures/karirano.bmp' NOT found!"
                             "\nImage file: 'textures/spheremap.bmp' NOT found!"
                             "\nImage file: 'textures/terrain_negative_x.bmp' NOT found!";
    ASSERT_GE(console.size(), tail.size());
    EXPECT_EQ(console.substr(console.size() - tail.size()), tail);
}

struct MissingCase {
    const char* file;
    const char* expectedTail;
};

void PrintTo(const MissingCase& missing, std::ostream* out)
{
    *out << missing.file;
}

class ProgramMissingTexture : public testing::TestWithParam<MissingCase> {};

TEST_P(ProgramMissingTexture, reportsItAndGoesOnWithTheOthers)
{
    ScratchDir dir;
    copyProjectShaders(dir.path);
    writeAllTextures(dir.path);
    std::remove((dir.path + "/textures/" + GetParam().file).c_str());
    std::string console;
    ASSERT_NO_FATAL_FAILURE(runThroughEveryMode(dir.path, console));
    EXPECT_EQ(transcriptMismatch(expectedTranscript(dir.path), console), "") << console;
    const std::string tail = GetParam().expectedTail;
    ASSERT_GE(console.size(), tail.size());
    EXPECT_EQ(console.substr(console.size() - tail.size()), tail);
}

INSTANTIATE_TEST_SUITE_P(
    E2e, ProgramMissingTexture,
    testing::Values(
        MissingCase{"vok.bmp",
                    "\nImage file: 'textures/amethys.bmp' found!Texture loaded, ID: 1"
                    "\nImage file: 'textures/vok.bmp' NOT found!"
                    "\nImage file: 'textures/karirano.bmp' found!Texture loaded, ID: 2"
                    "\nImage file: 'textures/spheremap.bmp' found!Texture loaded, ID: 3"
                    "\nImage file: 'textures/terrain_negative_x.bmp' found!"
                    "\nImage file: 'textures/terrain_positive_x.bmp' found!"
                    "\nImage file: 'textures/terrain_negative_y.bmp' found!"
                    "\nImage file: 'textures/terrain_positive_y.bmp' found!"
                    "\nImage file: 'textures/terrain_negative_z.bmp' found!"
                    "\nImage file: 'textures/terrain_positive_z.bmp' found!Texture loaded, ID: 4"},
        MissingCase{"terrain_negative_y.bmp",
                    "\nImage file: 'textures/spheremap.bmp' found!Texture loaded, ID: 4"
                    "\nImage file: 'textures/terrain_negative_x.bmp' found!"
                    "\nImage file: 'textures/terrain_positive_x.bmp' found!"
                    "\nImage file: 'textures/terrain_negative_y.bmp' NOT found!"}),
    [](const testing::TestParamInfo<MissingCase>& param) {
        std::string name = param.param.file;
        return name.substr(0, name.find('.'));
    });

class ProgramDamagedTexture : public testing::TestWithParam<const char*> {};

TEST_P(ProgramDamagedTexture, truncatedFileStillLetsTheProgramStartDrawAndExit)
{
    ScratchDir dir;
    copyProjectShaders(dir.path);
    writeAllTextures(dir.path);
    const std::string file = std::string("textures/") + GetParam();
    // Headers intact, pixels cut off after two of the 64.
    truncate(dir.path + "/" + file, 60);
    std::string console;
    ASSERT_NO_FATAL_FAILURE(runThroughEveryMode(dir.path, console));
    EXPECT_EQ(console.rfind("Ready for OpenGL 2.0\n", 0), 0u) << console;
    EXPECT_NE(console.find("\nImage file: '" + file + "' found!"), std::string::npos) << console;
}

INSTANTIATE_TEST_SUITE_P(E2e, ProgramDamagedTexture,
                         testing::Values("karirano.bmp", "terrain_positive_z.bmp"),
                         [](const testing::TestParamInfo<const char*>& param) {
                             std::string name = param.param;
                             return name.substr(0, name.find('.'));
                         });
