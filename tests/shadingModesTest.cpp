// The six shading modes against the real driver: which program is current,
// what its uniforms hold, and what the frame looks like.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/renderState.h"
#include "gfx/shadingModes.h"
#include "gfx/textureSet.h"
#include "view/camera.h"

namespace {

// The console blocks are checked elsewhere; keep them out of this output.
void buildQuietly()
{
    std::fflush(stdout);
    const int saved = dup(fileno(stdout));
    std::FILE* sink = std::fopen("/dev/null", "w");
    dup2(fileno(sink), fileno(stdout));
    buildShaderPrograms();
    std::fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    std::fclose(sink);
}

void startUp()
{
    initRenderState();
    reshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    buildQuietly();
}

GLint currentProgram()
{
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return program;
}

const char* const samplerNames[] = {"tex1", "tex2", "envMap", "cubeMap"};

// The unit each sampler of a mode is set to; -1 where the mode has none.
const int samplerUnits[shadingModeCount][4] = {
    {-1, -1, -1, -1}, {0, -1, -1, -1}, {0, -1, -1, -1},
    {0, 1, -1, -1},   {0, -1, 2, -1},  {0, -1, -1, 3},
};

// Sets every uniform a program has to a value applyShader never sends.
void scrambleUniforms()
{
    for (int mode = 1; mode < shadingModeCount; ++mode) {
        const unsigned int program = shaderPrograms[mode].program;
        glUseProgram(program);
        for (int s = 0; s < 4; ++s)
            glUniform1i(glGetUniformLocation(program, samplerNames[s]), 7 + s);
        glUniform4f(glGetUniformLocation(program, "ViewPosition"), 9, 9, 9, 9);
    }
    glUseProgram(0);
}

void expectViewPositionIsTheEye(unsigned int program)
{
    const EyePosition eye = eyePosition(camera, cameraDistance);
    float got[4] = {};
    glGetUniformfv(program, glGetUniformLocation(program, "ViewPosition"), got);
    EXPECT_EQ(got[0], static_cast<float>(eye.x));
    EXPECT_EQ(got[1], static_cast<float>(eye.y));
    EXPECT_EQ(got[2], static_cast<float>(eye.z));
    EXPECT_EQ(got[3], 1.0f);
}

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* at(int x, int yFromTop) const
    {
        return &rgb[3 * (static_cast<std::size_t>(height - 1 - yFromTop) * width + x)];
    }
};

Frame drawAndRead(int mode)
{
    currentShader = mode;
    drawFrame();
    glFinish();
    Frame f;
    f.width = windowWidth;
    f.height = windowHeight;
    f.rgb.resize(3 * static_cast<std::size_t>(f.width) * f.height);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, f.width, f.height, GL_RGB, GL_UNSIGNED_BYTE, f.rgb.data());
    return f;
}

void writePpm(const Frame& f, const std::string& path)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return;
    std::fprintf(out, "P6\n%d %d\n255\n", f.width, f.height);
    for (int y = 0; y < f.height; ++y)
        std::fwrite(f.at(0, y), 3, static_cast<std::size_t>(f.width), out);
    std::fclose(out);
}

// Below the overlay lines; the teapot sits in the middle of the window.
const int firstSceneRow = 60;

// Mean absolute channel difference, 0..255, over the pixels the mask marks.
double meanDifference(const Frame& a, const Frame& b, const std::vector<bool>& mask)
{
    double sum = 0;
    long count = 0;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (!mask[i])
            continue;
        for (int c = 0; c < 3; ++c)
            sum += std::abs(a.rgb[3 * i + c] - b.rgb[3 * i + c]);
        count += 3;
    }
    return count > 0 ? sum / count : 0;
}

}  // namespace

TEST(ShadingModes, ApplyShaderMakesTheModesProgramCurrentWithItsUniforms)
{
    startUp();
    scrambleUniforms();
    for (int mode = 0; mode < shadingModeCount; ++mode) {
        SCOPED_TRACE(mode);
        currentShader = mode;
        applyShader();
        const unsigned int program = shaderPrograms[mode].program;
        EXPECT_EQ(currentProgram(), static_cast<GLint>(program));
        if (mode == 0) {
            EXPECT_EQ(program, 0u);
            continue;
        }
        for (int s = 0; s < 4; ++s) {
            SCOPED_TRACE(samplerNames[s]);
            const GLint location = glGetUniformLocation(program, samplerNames[s]);
            if (samplerUnits[mode][s] < 0) {
                EXPECT_EQ(location, -1) << "a sampler this mode does not bind";
                continue;
            }
            ASSERT_NE(location, -1);
            GLint unit = -1;
            glGetUniformiv(program, location, &unit);
            EXPECT_EQ(unit, samplerUnits[mode][s]);
        }
        const GLint viewPosition = glGetUniformLocation(program, "ViewPosition");
        if (mode == 5)
            expectViewPositionIsTheEye(program);
        else
            EXPECT_EQ(viewPosition, -1);
    }
}

TEST(ShadingModes, ViewPositionFollowsTheCamera)
{
    startUp();
    currentShader = 5;
    const unsigned int program = shaderPrograms[5].program;
    applyShader();
    expectViewPositionIsTheEye(program);

    camera.rotateAroundUp(0.7);
    camera.rotateAroundRight(-0.4);
    applyShader();
    expectViewPositionIsTheEye(program);
    EXPECT_NE(camera.direction.x, 0.0f);

    cameraDistance = 11.5f;
    camera.target = {0.25f, -0.5f, 1.0f};
    applyShader();
    expectViewPositionIsTheEye(program);
}

TEST(ShadingModes, ModeWhoseProgramFailedToLinkDrawsWithTheFixedPipeline)
{
    startUp();
    shaderPrograms[2] = ShaderProgram();
    shaderPrograms[2].build("shaders/noSuchFile.vert", "shaders/textureLights.frag");
    GLint linked = GL_TRUE;
    glGetProgramiv(shaderPrograms[2].program, GL_LINK_STATUS, &linked);
    ASSERT_EQ(linked, GL_FALSE);

    const Frame fixed = drawAndRead(0);
    currentShader = 2;
    applyShader();
    EXPECT_EQ(currentProgram(), 0);
    const Frame broken = drawAndRead(2);
    EXPECT_TRUE(fixed.rgb == broken.rgb) << "mode 2 must look exactly like mode 0";
    // And the teapot is there at all.
    const unsigned char* centre = fixed.at(fixed.width / 2, fixed.height / 2);
    EXPECT_GT(centre[0], 20);
}

// With the project's own images, every mode's teapot looks plainly unlike
// every other's, and the overlay stays white text drawn without a program.
TEST(ShadingModes, EveryModeLooksDifferentAndTheOverlayStaysWhite)
{
    startUp();
    setupTextures();
    for (int i = 0; i < textureCount; ++i)
        ASSERT_NE(textures[i].id, -1) << "texture " << i << " missing: run from the project root";
    ASSERT_NE(cubeMapTexture.id, -1) << "cube map missing";

    std::vector<Frame> frames;
    for (int mode = 0; mode < shadingModeCount; ++mode) {
        frames.push_back(drawAndRead(mode));
        EXPECT_EQ(currentProgram(), 0) << "after the frame of mode " << mode;
    }

    const Frame& fixed = frames[0];
    std::vector<bool> teapot(static_cast<std::size_t>(fixed.width) * fixed.height, false);
    long teapotPixels = 0;
    for (int y = firstSceneRow; y < fixed.height; ++y)
        for (int x = 0; x < fixed.width; ++x) {
            const unsigned char* p = fixed.at(x, y);
            if (std::max({p[0], p[1], p[2]}) > 8) {
                teapot[static_cast<std::size_t>(fixed.height - 1 - y) * fixed.width + x] = true;
                ++teapotPixels;
            }
        }
    ASSERT_GT(teapotPixels, fixed.width * fixed.height / 20) << "no teapot in mode 0";

    // The smallest mean difference allowed between two modes' teapots.
    const double visible = 12.0;
    bool allDiffer = true;
    std::string table;
    for (int a = 0; a < shadingModeCount; ++a)
        for (int b = a + 1; b < shadingModeCount; ++b) {
            const double d = meanDifference(frames[a], frames[b], teapot);
            table += "modes " + std::to_string(a) + "/" + std::to_string(b) + ": " +
                     std::to_string(d) + "\n";
            if (d < visible)
                allDiffer = false;
        }
    if (!allDiffer) {
        for (int mode = 0; mode < shadingModeCount; ++mode)
            writePpm(frames[mode], "/tmp/shadingMode" + std::to_string(mode) + ".ppm");
    }
    EXPECT_TRUE(allDiffer) << "mean differences over the teapot (frames written to "
                              "/tmp/shadingMode*.ppm):\n"
                           << table;

    // The key hint: only white text on the black background, in every mode.
    for (int mode = 0; mode < shadingModeCount; ++mode) {
        SCOPED_TRACE(mode);
        const Frame& f = frames[mode];
        int white = 0;
        int other = 0;
        for (int y = 28; y < 52; ++y)
            for (int x = 28; x < std::min(f.width, 340); ++x) {
                const unsigned char* p = f.at(x, y);
                const bool isWhite = p[0] > 250 && p[1] > 250 && p[2] > 250;
                const bool isBlack = p[0] < 3 && p[1] < 3 && p[2] < 3;
                white += isWhite;
                other += !isWhite && !isBlack;
            }
        EXPECT_GT(white, 100);
        EXPECT_EQ(other, 0);
    }
}
