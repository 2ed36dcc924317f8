#include <GL/glew.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "app/frame.h"
#include "app/frameRate.h"
#include "app/renderState.h"
#include "glHelpers.h"
#include "view/camera.h"
#include "view/input.h"

namespace {

using Matrix = std::array<float, 16>;

Matrix matrix(GLenum which)
{
    Matrix m{};
    glGetFloatv(which, m.data());
    return m;
}

GLint integer(GLenum name)
{
    GLint v = 0;
    glGetIntegerv(name, &v);
    return v;
}

// What gluPerspective(45, aspect, 1, 100) must produce, column-major.
Matrix perspective(float aspect)
{
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
    Matrix m{};
    m[0] = static_cast<float>(f / aspect);
    m[5] = static_cast<float>(f);
    m[10] = static_cast<float>(-101.0 / 99.0);
    m[11] = -1.0f;
    m[14] = static_cast<float>(-200.0 / 99.0);
    return m;
}

void expectNear(const Matrix& actual, const Matrix& expected)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "element " << i;
}

bool isWhite(const Rgba& c)
{
    return c[0] >= 250 && c[1] >= 250 && c[2] >= 250;
}

bool isBlack(const Rgba& c)
{
    return c[0] <= 3 && c[1] <= 3 && c[2] <= 3;
}

// Counts pixels of the back buffer in a rectangle (top-left origin) that
// satisfy `test`.
template <typename Test>
int countPixels(int left, int top, int width, int height, Test test)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(left, windowHeight - top - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    int count = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        if (test(Rgba{pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]}))
            ++count;
    }
    return count;
}

// The band of a text line whose baseline is at y: 18-point glyphs rise
// about 14 pixels above it and descend about 4 below.
int whiteInLine(int baseline)
{
    return countPixels(25, baseline - 16, 320, 21, isWhite);
}

class Frame : public testing::Test {
protected:
    void SetUp() override
    {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        initRenderState();
        reshape(800, 600);
        // No frame-rate update during a test unless one asks for it.
        lastFpsTime = glutGet(GLUT_ELAPSED_TIME) + 1000000;
    }
};

}  // namespace

TEST_F(Frame, ReshapeSetsViewportAndPerspective)
{
    struct Case {
        int width;
        int height;
        int storedHeight;
        float aspect;
    };
    const Case cases[] = {
        {800, 600, 600, 800.0f / 600.0f},
        {640, 0, 1, 640.0f},
        {0, 0, 1, 0.0f},
        {333, 77, 77, 333.0f / 77.0f},
    };
    for (const Case& c : cases) {
        reshape(c.width, c.height);
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        EXPECT_EQ(windowWidth, c.width);
        EXPECT_EQ(windowHeight, c.storedHeight);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], c.width);
        EXPECT_EQ(viewport[3], c.storedHeight);
        EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
        if (c.aspect > 0.0f)
            expectNear(matrix(GL_PROJECTION_MATRIX), perspective(c.aspect));
    }
}

TEST_F(Frame, FrameLeavesMatricesLightingAndMaterialAsTheSceneNeedsThem)
{
    drawFrame();
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), 1);
    expectNear(matrix(GL_PROJECTION_MATRIX), perspective(800.0f / 600.0f));
    // The modelview is the default look-at: eye at (0, 0, 5).
    Matrix view{};
    view[0] = view[5] = view[10] = view[15] = 1.0f;
    view[14] = -5.0f;
    expectNear(matrix(GL_MODELVIEW_MATRIX), view);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    std::array<float, 4> diffuse{};
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse.data());
    EXPECT_FLOAT_EQ(diffuse[0], 0.5f);
    EXPECT_EQ(diffuse[3], 0.0f);
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
}

TEST_F(Frame, LightDirectionFollowsTheView)
{
    std::array<float, 4> position{};
    drawFrame();
    glGetLightfv(GL_LIGHT0, GL_POSITION, position.data());
    EXPECT_NEAR(position[0], 50.0f, 1e-3f);
    EXPECT_NEAR(position[1], 20.0f, 1e-3f);
    EXPECT_NEAR(position[2], 50.0f, 1e-3f);
    EXPECT_EQ(position[3], 0.0f);

    // A quarter turn about up puts the eye on +x: world -z becomes eye x.
    camera.rotateAroundUp(M_PI / 2);
    drawFrame();
    glGetLightfv(GL_LIGHT0, GL_POSITION, position.data());
    EXPECT_NEAR(position[0], -50.0f, 1e-3f);
    EXPECT_NEAR(position[1], 20.0f, 1e-3f);
    EXPECT_NEAR(position[2], 50.0f, 1e-3f);
    camera = Camera();
}

TEST_F(Frame, GreyLitTeapotOnBlack)
{
    drawFrame();
    const Rgba centre = backBufferPixel(windowWidth / 2, windowHeight / 2, windowHeight);
    EXPECT_GT(centre[0], 40) << describe(centre);
    EXPECT_LE(std::abs(centre[0] - centre[1]), 2) << describe(centre);
    EXPECT_LE(std::abs(centre[1] - centre[2]), 2) << describe(centre);
    const Rgba corners[] = {
        backBufferPixel(5, windowHeight - 5, windowHeight),
        backBufferPixel(windowWidth - 5, 5, windowHeight),
        backBufferPixel(windowWidth - 5, windowHeight - 5, windowHeight),
    };
    for (const Rgba& c : corners)
        EXPECT_TRUE(isBlack(c)) << describe(c);
    // The teapot is lit: its brightest and darkest visible parts differ.
    const int w = windowWidth / 2;
    const int h = windowHeight / 2;
    const int bright = countPixels(w / 2, h / 2, w, h, [](const Rgba& c) { return c[0] > 120; });
    const int dim = countPixels(w / 2, h / 2, w, h, [](const Rgba& c) { return c[0] > 5 && c[0] < 60; });
    EXPECT_GT(bright, 100);
    EXPECT_GT(dim, 100);
}

TEST_F(Frame, OverlayTextIsWhiteAtItsLines)
{
    drawFrame();
    EXPECT_EQ(whiteInLine(25), 0) << "no frame-rate line before the first update";
    EXPECT_GT(whiteInLine(45), 200) << "the key hint";

    lastFpsTime = glutGet(GLUT_ELAPSED_TIME) - 2000;
    drawFrame();
    EXPECT_STRNE(fpsText, "");
    EXPECT_GT(whiteInLine(25), 50) << "the frame-rate line";
    EXPECT_GT(whiteInLine(45), 200);
    // Nothing of the text may be tinted: every lit pixel in the text bands
    // is grey (anti-aliasing aside, the bitmap is all or nothing).
    const int tinted = countPixels(25, 5, 320, 45, [](const Rgba& c) {
        return !isBlack(c) && !isWhite(c);
    });
    EXPECT_EQ(tinted, 0);
}

TEST_F(Frame, WireframeAfterAAndFilledAfterAAgain)
{
    const int w = windowWidth / 2;
    const int h = windowHeight / 2;
    auto lit = [](const Rgba& c) { return !isBlack(c); };
    drawFrame();
    const int filled = countPixels(w / 2, h / 2, w, h, lit);

    keyboard('a', 0, 0);
    GLint polygonMode[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(polygonMode[0], GL_LINE);
    drawFrame();
    const int wire = countPixels(w / 2, h / 2, w, h, lit);
    EXPECT_GT(wire, 1000) << "edges are drawn";
    EXPECT_LT(wire, filled * 3 / 4) << "and the faces between them are not";

    keyboard('A', 0, 0);
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(polygonMode[0], GL_FILL);
    drawFrame();
    EXPECT_EQ(countPixels(w / 2, h / 2, w, h, lit), filled);
}

TEST_F(Frame, ZeroHeightWindowKeepsDrawing)
{
    reshape(0, 0);
    drawFrame();
    reshape(300, 0);
    drawFrame();
    EXPECT_EQ(windowHeight, 1);
    EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), 1);
    reshape(800, 600);
    drawFrame();
    const Rgba centre = backBufferPixel(400, 300, windowHeight);
    EXPECT_GT(centre[0], 40) << describe(centre);
}
