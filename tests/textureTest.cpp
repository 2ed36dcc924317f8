// The texture set against the real OpenGL of the machine: what the units,
// parameters, levels and texels ended up as, and what the console shows.
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/bmpImage.h"
#include "gfx/textureSet.h"
#include "tests/glHelpers.h"
#include "tests/captureStdout.h"

namespace fs = std::filesystem;

namespace {

const char* const facePaths[cubeFaceCount] = {
    "textures/terrain_negative_x.bmp", "textures/terrain_positive_x.bmp", "textures/terrain_negative_y.bmp",
    "textures/terrain_positive_y.bmp", "textures/terrain_negative_z.bmp", "textures/terrain_positive_z.bmp",
};
const char* const imagePaths[textureCount] = {
    "textures/amethys.bmp", "textures/vok.bmp", "textures/karirano.bmp", "textures/spheremap.bmp"};

GLint integer(GLenum name)
{
    GLint v = 0;
    glGetIntegerv(name, &v);
    return v;
}

struct UnitBinding {
    GLint texture2d;
    GLint cubeMap;
};

UnitBinding bindingOf(int unit)
{
    const GLint active = integer(GL_ACTIVE_TEXTURE);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    const UnitBinding b{integer(GL_TEXTURE_BINDING_2D), integer(GL_TEXTURE_BINDING_CUBE_MAP)};
    glActiveTexture(static_cast<GLenum>(active));
    return b;
}

GLint levelWidth(GLenum target, int level)
{
    GLint w = 0;
    glGetTexLevelParameteriv(target, level, GL_TEXTURE_WIDTH, &w);
    return w;
}

std::vector<unsigned char> texels(GLenum target, int level)
{
    const GLint w = levelWidth(target, level);
    GLint h = 0;
    glGetTexLevelParameteriv(target, level, GL_TEXTURE_HEIGHT, &h);
    std::vector<unsigned char> out(static_cast<std::size_t>(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, level, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    return out;
}

BmpImage decodedFile(const std::string& path)
{
    BmpImage image;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    EXPECT_NE(f, nullptr) << path;
    if (f != nullptr) {
        EXPECT_EQ(readBmpFile(f, image), nullptr) << path;
        std::fclose(f);
    }
    return image;
}

std::string found(const std::string& path)
{
    return "\nImage file: '" + path + "' found!";
}

std::string loaded(int id)
{
    return "Texture loaded, ID: " + std::to_string(id);
}

// The next texture name OpenGL hands out; generating one uses it up, so a
// loader that generated none leaves the following probe exactly one higher.
GLuint probeName()
{
    GLuint name = 0;
    glGenTextures(1, &name);
    return name;
}

// A copy of the project's textures/ in a temporary working directory, which
// the test may spoil; the test runs in it and it goes at the end.
class SpoiltTextures : public ::testing::Test {
protected:
    fs::path home;
    fs::path dir;

    void SetUp() override
    {
        home = fs::current_path();
        char pattern[] = "/tmp/textureTestXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        fs::copy(home / "textures", dir / "textures");
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(chdir(home.c_str()), 0);
        fs::remove_all(dir);
    }

    // Replaces a file of textures/ with other bytes.
    void write(const std::string& path, const std::vector<unsigned char>& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<unsigned char> read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

// A 4 x 4 BMP with a distinct colour per pixel: blue x*60, green y*60,
// red 200 - x - 4y, in file order.
std::vector<unsigned char> fixtureBmp()
{
    std::vector<unsigned char> f(54 + 4 * 4 * 3, 0);
    const unsigned header[] = {'B', 'M'};
    f[0] = static_cast<unsigned char>(header[0]);
    f[1] = static_cast<unsigned char>(header[1]);
    auto put32 = [&f](std::size_t at, unsigned v) {
        for (int i = 0; i < 4; ++i)
            f[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    put32(2, static_cast<unsigned>(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, 4);
    put32(22, 4);
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            unsigned char* p = &f[54 + (y * 4 + x) * 3];
            p[0] = static_cast<unsigned char>(x * 60);
            p[1] = static_cast<unsigned char>(y * 60);
            p[2] = static_cast<unsigned char>(200 - x - 4 * y);
        }
    }
    return f;
}

}  // namespace

TEST(TextureSet, ConsoleShowsEachImageThenTheCubeFaces)
{
    const std::string out = captureStdout(setupTextures);
    std::string expected;
    for (int i = 0; i < textureCount; ++i)
        expected += found(imagePaths[i]) + loaded(textures[i].id);
    for (const char* path : facePaths)
        expected += found(path);
    expected += loaded(cubeMapTexture.id);
    EXPECT_EQ(out, expected);
}

TEST(TextureSet, UnitsHoldTheirTexturesAndUnitZeroStaysActive)
{
    captureStdout(setupTextures);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    const GLint cube = cubeMapTexture.id;
    ASSERT_GT(cube, 0);
    for (const Texture& t : textures)
        ASSERT_GT(t.id, 0);
    struct Expected {
        int unit;
        GLint texture2d;
        GLint cubeMap;
    };
    // The cube map is loaded while unit 0 is active, so unit 0 keeps it too.
    const Expected units[] = {
        {0, textures[0].id, cube}, {1, textures[1].id, 0}, {2, textures[3].id, 0}, {3, 0, cube}};
    for (const Expected& e : units) {
        const UnitBinding b = bindingOf(e.unit);
        EXPECT_EQ(b.texture2d, e.texture2d) << "unit " << e.unit;
        EXPECT_EQ(b.cubeMap, e.cubeMap) << "unit " << e.unit;
    }
    // karirano is loaded but on no unit.
    GLint units2 = integer(GL_MAX_TEXTURE_UNITS);
    for (int unit = 0; unit < units2; ++unit)
        EXPECT_NE(bindingOf(unit).texture2d, textures[2].id) << "unit " << unit;
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
}

TEST(TextureSet, ImagesAreRepeatingMipmappedTexturesOfTheirFiles)
{
    captureStdout(setupTextures);
    for (int i = 0; i < textureCount; ++i) {
        SCOPED_TRACE(imagePaths[i]);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(textures[i].id));
        GLint v = 0;
        const struct {
            GLenum name;
            GLint value;
        } parameters[] = {{GL_TEXTURE_WRAP_S, GL_REPEAT},
                          {GL_TEXTURE_WRAP_T, GL_REPEAT},
                          {GL_TEXTURE_MAG_FILTER, GL_LINEAR},
                          {GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST}};
        for (const auto& p : parameters) {
            glGetTexParameteriv(GL_TEXTURE_2D, p.name, &v);
            EXPECT_EQ(v, p.value) << "parameter 0x" << std::hex << p.name;
        }
        // 256 x 256 down to 1 x 1: nine levels, then none.
        for (int level = 0; level <= 8; ++level)
            EXPECT_EQ(levelWidth(GL_TEXTURE_2D, level), 256 >> level) << "level " << level;
        EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 9), 0);
        const BmpImage file = decodedFile(imagePaths[i]);
        EXPECT_TRUE(texels(GL_TEXTURE_2D, 0) == file.rgba) << "level 0 differs from the file";
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(textures[0].id));
}

TEST_F(SpoiltTextures, KnownImageBecomesRgbTexelsWithOpaqueAlpha)
{
    write("textures/amethys.bmp", fixtureBmp());
    Texture t;
    const std::string out = captureStdout([&t] { t.load("textures/amethys.bmp"); });
    ASSERT_GT(t.id, 0);
    EXPECT_EQ(out, found("textures/amethys.bmp") + loaded(t.id));
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), t.id) << "the new texture stays bound";
    const std::vector<unsigned char> level0 = texels(GL_TEXTURE_2D, 0);
    ASSERT_EQ(level0.size(), 4u * 4u * 4u);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const unsigned char* p = &level0[(y * 4 + x) * 4];
            const Rgba got{p[0], p[1], p[2], p[3]};
            const Rgba want{200 - x - 4 * y, y * 60, x * 60, 255};
            EXPECT_EQ(got, want) << "texel (" << x << ", " << y << "): " << describe(got);
        }
    }
    // Level 1 texel (0, 0) averages file pixels (0..1, 0..1).
    const std::vector<unsigned char> level1 = texels(GL_TEXTURE_2D, 1);
    ASSERT_EQ(level1.size(), 2u * 2u * 4u);
    EXPECT_NEAR(level1[0], (200 + 199 + 196 + 195) / 4.0, 1);
    EXPECT_NEAR(level1[1], 30, 1);
    EXPECT_NEAR(level1[2], 30, 1);
    EXPECT_EQ(level1[3], 255);
}

TEST(CubeMap, FacesComeFromTheirFilesAndKeepDefaultParameters)
{
    captureStdout(setupTextures);
    glBindTexture(GL_TEXTURE_CUBE_MAP, static_cast<GLuint>(cubeMapTexture.id));
    for (int i = 0; i < cubeFaceCount; ++i) {
        SCOPED_TRACE(facePaths[i]);
        const GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + static_cast<GLenum>(i);
        const BmpImage file = decodedFile(facePaths[i]);
        EXPECT_TRUE(texels(target, 0) == file.rgba) << "face " << i << " differs from its file";
        for (int level = 0; (file.width >> level) > 0; ++level)
            EXPECT_EQ(levelWidth(target, level), file.width >> level) << "level " << level;
    }
    GLint v = 0;
    const struct {
        GLenum name;
        GLint value;
    } defaults[] = {{GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_LINEAR},
                    {GL_TEXTURE_MAG_FILTER, GL_LINEAR},
                    {GL_TEXTURE_WRAP_S, GL_REPEAT},
                    {GL_TEXTURE_WRAP_T, GL_REPEAT},
                    {GL_TEXTURE_WRAP_R, GL_REPEAT}};
    for (const auto& d : defaults) {
        glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, d.name, &v);
        EXPECT_EQ(v, d.value) << "parameter 0x" << std::hex << d.name;
    }
}

namespace {

struct Direction {
    float x, y, z;
};

// Colours OpenGL samples from the cube map on unit 0 for each direction:
// one point per direction, drawn by the fixed pipeline with the direction as
// its texture coordinate, read back from the frame buffer.
std::vector<Rgba> sampleCubeMap(const std::vector<Direction>& directions)
{
    const int width = 512;
    glUseProgram(0);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glPointSize(1);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, static_cast<GLuint>(cubeMapTexture.id));
    // No filtering across texels or levels: each point shows one texel's
    // neighbourhood as OpenGL picks the face for it.
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glEnable(GL_TEXTURE_CUBE_MAP);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 800, 0, 600, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT);
    glBegin(GL_POINTS);
    for (std::size_t i = 0; i < directions.size(); ++i) {
        const Direction& d = directions[i];
        glTexCoord3f(d.x, d.y, d.z);
        glVertex2f(static_cast<float>(i % width) + 0.5f, static_cast<float>(i / width) + 0.5f);
    }
    glEnd();
    glFinish();
    std::vector<Rgba> colours;
    for (std::size_t i = 0; i < directions.size(); ++i)
        colours.push_back(backBufferPixel(static_cast<int>(i % width), 599 - static_cast<int>(i / width), 600));
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_LINEAR);
    glPopAttrib();
    return colours;
}

int difference(const Rgba& a, const Rgba& b)
{
    int most = 0;
    for (int c = 0; c < 3; ++c)
        most = std::max(most, std::abs(a[c] - b[c]));
    return most;
}

}  // namespace

TEST(CubeMap, NeighbouringFacesMeetWithoutASeam)
{
    captureStdout(setupTextures);
    // Each of the twelve edges: two axes at +-1, the third running along it.
    // Sample just inside each of the two faces that share it.
    const float inside = 1 - 1.5f / 128;
    const int steps = 40;
    std::vector<Direction> directions;
    std::vector<std::string> names;
    for (int fixedA = 0; fixedA < 3; ++fixedA) {
        for (int fixedB = fixedA + 1; fixedB < 3; ++fixedB) {
            const int running = 3 - fixedA - fixedB;
            for (float signA : {-1.0f, 1.0f}) {
                for (float signB : {-1.0f, 1.0f}) {
                    for (int k = 0; k < steps; ++k) {
                        float p[3];
                        p[running] = -0.95f + 1.9f * (k + 0.5f) / steps;
                        p[fixedA] = signA;
                        p[fixedB] = signB * inside;  // on face A
                        directions.push_back({p[0], p[1], p[2]});
                        p[fixedA] = signA * inside;  // on face B
                        p[fixedB] = signB;
                        directions.push_back({p[0], p[1], p[2]});
                        names.push_back("edge axes " + std::to_string(fixedA) + std::to_string(fixedB) +
                                        " signs " + std::to_string(int(signA)) + std::to_string(int(signB)) +
                                        " step " + std::to_string(k));
                    }
                }
            }
        }
    }
    const std::vector<Rgba> colours = sampleCubeMap(directions);
    // The snow line and the fields have sharp borders that may cross an edge
    // between the two samples; a face on the wrong target breaks whole edges.
    int mismatches = 0;
    std::string examples;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (difference(colours[2 * i], colours[2 * i + 1]) > 24 && ++mismatches <= 5)
            examples += "\n  " + names[i] + ": " + describe(colours[2 * i]) + " vs " + describe(colours[2 * i + 1]);
    }
    EXPECT_LE(mismatches, static_cast<int>(names.size() / 50))
        << mismatches << " of " << names.size() << " edge samples differ across the edge:" << examples;
}

TEST(CubeMap, SphereMapShowsTheSameWorld)
{
    captureStdout(setupTextures);
    // The sphere map texel at (s, t) is what a mirror sphere reflects there:
    // normal n = (2s - 1, 2t - 1, nz), reflection of the view down -z.
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(textures[3].id));
    const std::vector<unsigned char> sphere = texels(GL_TEXTURE_2D, 0);
    ASSERT_EQ(sphere.size(), 256u * 256u * 4u);
    std::vector<Direction> directions;
    std::vector<Rgba> expected;
    for (int ty = 8; ty < 256; ty += 16) {
        for (int tx = 8; tx < 256; tx += 16) {
            const float nx = 2 * (tx + 0.5f) / 256 - 1;
            const float ny = 2 * (ty + 0.5f) / 256 - 1;
            if (nx * nx + ny * ny > 0.8f)
                continue;  // near the rim one texel spans much of the world
            const float nz = std::sqrt(1 - nx * nx - ny * ny);
            directions.push_back({2 * nz * nx, 2 * nz * ny, 2 * nz * nz - 1});
            const unsigned char* p = &sphere[(static_cast<std::size_t>(ty) * 256 + tx) * 4];
            expected.push_back({p[0], p[1], p[2], p[3]});
        }
    }
    const std::vector<Rgba> colours = sampleCubeMap(directions);
    int close = 0;
    for (std::size_t i = 0; i < colours.size(); ++i)
        close += difference(colours[i], expected[i]) <= 24 ? 1 : 0;
    EXPECT_GE(close, static_cast<int>(colours.size() * 9 / 10))
        << close << " of " << colours.size() << " sphere-map texels match the cube map";
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(textures[0].id));
}

TEST_F(SpoiltTextures, MissingSphereMapLeavesItsHandleAndTheOtherUnitsBound)
{
    fs::remove("textures/spheremap.bmp");
    const std::string out = captureStdout(setupTextures);
    EXPECT_EQ(textures[3].id, -1);
    EXPECT_NE(out.find("\nImage file: 'textures/spheremap.bmp' NOT found!\nImage file: 'textures/terrain"),
              std::string::npos)
        << out;
    // No name was spent on the missing file: the cube map's follows karirano's.
    EXPECT_EQ(cubeMapTexture.id, textures[2].id + 1);
    EXPECT_EQ(bindingOf(0).texture2d, textures[0].id);
    EXPECT_EQ(bindingOf(1).texture2d, textures[1].id);
    EXPECT_EQ(bindingOf(3).cubeMap, cubeMapTexture.id);
    // Unit 2 is bound to no image.
    glActiveTexture(GL_TEXTURE2);
    EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 0), 0);
    glActiveTexture(GL_TEXTURE0);
}

TEST_F(SpoiltTextures, ThirdCubeFileMissingStopsTheCubeMapOnly)
{
    fs::remove(facePaths[2]);
    std::string out = captureStdout(setupTextures);
    std::string expected;
    for (int i = 0; i < textureCount; ++i)
        expected += found(imagePaths[i]) + loaded(textures[i].id);
    expected += found(facePaths[0]) + found(facePaths[1]) + "\nImage file: '" + facePaths[2] + "' NOT found!";
    EXPECT_EQ(out, expected);
    for (int unit = 0; unit < 3; ++unit)
        EXPECT_GT(bindingOf(unit).texture2d, 0) << "unit " << unit;
    EXPECT_EQ(bindingOf(3).cubeMap, cubeMapTexture.id);
    // The two faces read before the missing one are there; the rest are not.
    glBindTexture(GL_TEXTURE_CUBE_MAP, static_cast<GLuint>(cubeMapTexture.id));
    for (int i = 0; i < cubeFaceCount; ++i)
        EXPECT_EQ(levelWidth(GL_TEXTURE_CUBE_MAP_POSITIVE_X + static_cast<GLenum>(i), 0), i < 2 ? 128 : 0)
            << "face " << i;
    EXPECT_EQ(cubeMapTexture.load(facePaths[0], facePaths[1], facePaths[2], facePaths[3], facePaths[4],
                                  facePaths[5]),
              -1);
}

TEST_F(SpoiltTextures, BadFilesAreRejectedLikeMissingOnes)
{
    const std::vector<unsigned char> good = read("textures/vok.bmp");
    auto changed = [&good](std::size_t at, unsigned char value) {
        std::vector<unsigned char> b = good;
        b[at] = value;
        return b;
    };
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;  // empty with `directory` set: a directory instead
        bool directory;
        const char* reason;
    };
    const Case cases[] = {
        {"truncated", std::vector<unsigned char>(good.begin(), good.end() - 1000), false, "pixel data truncated"},
        {"empty", {}, false, "too short for a BMP header"},
        {"32 bits", changed(28, 32), false, "not 24 bits per pixel"},
        {"top-down", changed(25, 0xFF), false, "width and height must be positive (top-down images are not read)"},
        {"huge", changed(21, 0x7F), false, "wider or taller than 16384 pixels"},
        {"directory", {}, true, "not a regular file, or unreadable"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = "textures/bad.bmp";
        fs::remove_all(path);
        if (c.directory)
            fs::create_directory(path);
        else
            write(path, c.bytes);

        Texture t;
        int result = 0;
        const GLuint before = probeName();
        std::string out = captureStdout([&] { result = t.load(path.c_str()); });
        EXPECT_EQ(probeName(), before + 1) << "a texture name was generated";
        EXPECT_EQ(result, -1);
        EXPECT_EQ(t.id, -1);
        EXPECT_EQ(out, found(path) + "\nImage file: '" + path + "' rejected: " + c.reason);

        // As the fourth cube face it stops the cube map there.
        CubeMapTexture cube;
        out = captureStdout([&] {
            result = cube.load(facePaths[0], facePaths[1], facePaths[2], path.c_str(), facePaths[4], facePaths[5]);
        });
        EXPECT_EQ(result, -1);
        EXPECT_EQ(out, found(facePaths[0]) + found(facePaths[1]) + found(facePaths[2]) + found(path) +
                           "\nImage file: '" + path + "' rejected: " + c.reason);
    }
}
