// Rebuilding programs and re-reading images while running, against the real
// driver: what the console shows, which GL objects live, what the texture
// objects hold afterwards.
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/reload.h"
#include "gfx/shadingModes.h"
#include "gfx/textureSet.h"
#include "tests/e2e/transcript.h"
#include "tests/captureStdout.h"

namespace {

const std::string cleanBuild =
    "\n--Vertex Shader Info--\n\n----------------------\n"
    "\n--Fragment Shader Info--\n\n------------------------\n"
    "\n--Shader Program Info--\n\n-----------------------\n";

const char vertexSource[] = "#version 110\nvoid main() { gl_Position = ftransform(); }\n";
const char tintFragment[] =
    "#version 110\nuniform vec4 tint;\nvoid main() { gl_FragColor = tint; }\n";

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Live objects among the first names; the driver hands out small names.
struct LiveObjects {
    int shaders = 0;
    int programs = 0;
};

LiveObjects liveObjects()
{
    LiveObjects live;
    for (GLuint name = 1; name < 8192; ++name) {
        live.shaders += glIsShader(name) == GL_TRUE;
        live.programs += glIsProgram(name) == GL_TRUE;
    }
    return live;
}

// A program built from files in a scratch folder, as the watch rebuilds one.
class Rebuild : public testing::Test {
protected:
    ScratchDir dir;
    std::string vertexPath;
    std::string fragmentPath;
    ShaderProgram program;
    char problem[problemSize] = "untouched";

    void SetUp() override
    {
        vertexPath = dir.path + "/tint.vert";
        fragmentPath = dir.path + "/tint.frag";
        writeText(vertexPath, vertexSource);
        writeText(fragmentPath, tintFragment);
        captureStdout([&] { program.build(vertexPath.c_str(), fragmentPath.c_str()); });
        ASSERT_TRUE(program.linked());
    }
    void TearDown() override { program.release(); }

    bool rebuild(std::string* console = nullptr)
    {
        bool linked = false;
        const std::string text = captureStdout([&] {
            linked = rebuildProgram(program, vertexPath.c_str(), fragmentPath.c_str(), problem);
        });
        if (console != nullptr)
            *console = text;
        return linked;
    }
};

struct BadSource {
    const char* name;
    const char* fragment;  // null: the file is deleted
    bool namesBothFiles;           // a link error belongs to the pair
    const char* problemAfterPath;  // what follows "<path>: " in the problem line
    const char* consoleHas;
};

void PrintTo(const BadSource& bad, std::ostream* out)
{
    *out << bad.name;
}

class FailedRebuild : public Rebuild, public testing::WithParamInterface<BadSource> {};

}  // namespace

TEST_F(Rebuild, goodOneReplacesTheProgramDeletesTheOldAndPrintsTheStartUpBlocks)
{
    const ShaderProgram old = program;
    std::string console;
    ASSERT_TRUE(rebuild(&console));
    EXPECT_EQ(console, cleanBuild);
    EXPECT_STREQ(problem, "");
    EXPECT_TRUE(program.linked());
    EXPECT_NE(program.program, old.program);
    EXPECT_EQ(glIsProgram(old.program), GL_FALSE);
    EXPECT_EQ(glIsShader(old.vertexShader), GL_FALSE);
    EXPECT_EQ(glIsShader(old.fragmentShader), GL_FALSE);
}

TEST_F(Rebuild, manyReloadsGoodAndBadLeaveTheNumberOfLiveObjectsUnchanged)
{
    const LiveObjects before = liveObjects();
    const char* const fragments[] = {tintFragment, "#version 110\nvoid main() { oops }\n",
                                     "#version 110\nvoid helper() {}\n", nullptr};
    for (int i = 0; i < 200; ++i) {
        const char* fragment = fragments[i % 4];
        if (fragment != nullptr)
            writeText(fragmentPath, fragment);
        else
            std::remove(fragmentPath.c_str());
        EXPECT_EQ(rebuild(), i % 4 == 0) << "reload " << i;
    }
    const LiveObjects after = liveObjects();
    EXPECT_EQ(after.shaders, before.shaders);
    EXPECT_EQ(after.programs, before.programs);
    EXPECT_TRUE(program.linked());
}

TEST_P(FailedRebuild, keepsTheProgramAndItsUniformsAndNamesTheFile)
{
    program.use();
    const GLint tint = glGetUniformLocation(program.program, "tint");
    ASSERT_GE(tint, 0);
    glUniform4f(tint, 0.25f, 0.5f, 0.75f, 1.0f);
    const ShaderProgram old = program;
    const LiveObjects before = liveObjects();

    if (GetParam().fragment != nullptr)
        writeText(fragmentPath, GetParam().fragment);
    else
        std::remove(fragmentPath.c_str());
    std::string console;
    EXPECT_FALSE(rebuild(&console));

    EXPECT_EQ(program.program, old.program);
    EXPECT_EQ(program.vertexShader, old.vertexShader);
    EXPECT_EQ(program.fragmentShader, old.fragmentShader);
    EXPECT_TRUE(program.linked());
    GLfloat value[4] = {};
    glGetUniformfv(program.program, tint, value);
    EXPECT_EQ(value[0], 0.25f);
    EXPECT_EQ(value[1], 0.5f);
    EXPECT_EQ(value[2], 0.75f);
    EXPECT_EQ(value[3], 1.0f);
    EXPECT_EQ(liveObjects().programs, before.programs);
    EXPECT_EQ(liveObjects().shaders, before.shaders);

    const std::string named = GetParam().namesBothFiles ? vertexPath + ", " + fragmentPath : fragmentPath;
    EXPECT_EQ(std::string(problem), named + ": " + GetParam().problemAfterPath) << console;
    EXPECT_NE(console.find(GetParam().consoleHas), std::string::npos) << console;
    EXPECT_EQ(console.rfind("\n--Vertex Shader Info--\n", 0), 0u) << console;
    EXPECT_NE(console.find("\n--Shader Program Info--\n"), std::string::npos) << console;
}

INSTANTIATE_TEST_SUITE_P(
    Gl, FailedRebuild,
    testing::Values(
        BadSource{"compileError", "#version 110\nvoid main() {\n  gl_FragColor = vec4(1.0)\n}\n",
                  false, "0:4(1): error: syntax error, unexpected '}', expecting ',' or ';'",
                  "\n--Fragment Shader Info--\n\n0:4(1): error: syntax error"},
        BadSource{"missingFile", nullptr, false, "File not found",
                  "\n--Fragment Shader Info--\nFile not found\n"},
        // Compiles alone; only linking finds there is no main.
        BadSource{"linkError", "#version 110\nvoid helper() {}\n", true,
                  "error: fragment shader lacks `main'",
                  "\n--Shader Program Info--\nerror: fragment shader lacks `main'"}),
    [](const testing::TestParamInfo<BadSource>& param) { return std::string(param.param.name); });

TEST(ReloadMode, rebuiltModeGetsItsUniformsFromTheNextFrame)
{
    captureStdout(buildShaderPrograms);
    const unsigned int old = shaderPrograms[3].program;
    char problem[problemSize];
    ASSERT_TRUE(rebuildProgram(shaderPrograms[3], modeSources[3].vertex, modeSources[3].fragment,
                               problem));
    ASSERT_NE(shaderPrograms[3].program, old);
    currentShader = 3;
    applyShader();
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<unsigned>(current), shaderPrograms[3].program);
    GLint tex2 = -1;
    glGetUniformiv(shaderPrograms[3].program,
                   glGetUniformLocation(shaderPrograms[3].program, "tex2"), &tex2);
    EXPECT_EQ(tex2, 1);
    glUseProgram(0);
}

namespace {

GLint integer(GLenum name)
{
    GLint v = 0;
    glGetIntegerv(name, &v);
    return v;
}

// Every texel of a level of what is bound to `target`, as RGBA.
std::vector<unsigned char> texels(GLenum bindTarget, GLenum target, GLuint texture, int level)
{
    glBindTexture(bindTarget, texture);
    GLint w = 0;
    GLint h = 0;
    glGetTexLevelParameteriv(target, level, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(target, level, GL_TEXTURE_HEIGHT, &h);
    std::vector<unsigned char> out(static_cast<std::size_t>(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, level, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    return out;
}

std::vector<unsigned char> solid(int width, int height, unsigned char r, unsigned char g,
                                 unsigned char b)
{
    std::vector<unsigned char> out;
    for (int i = 0; i < width * height; ++i)
        out.insert(out.end(), {r, g, b, 255});
    return out;
}

// Unit 0 active with known bindings of its own, as the frame leaves it.
class ReloadImage : public testing::Test {
protected:
    ScratchDir dir;
    GLuint own2d = 0;
    GLuint ownCube = 0;
    char problem[problemSize] = "";

    void SetUp() override
    {
        glGenTextures(1, &own2d);
        glGenTextures(1, &ownCube);
    }
    void bindOwn()
    {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, own2d);
        glBindTexture(GL_TEXTURE_CUBE_MAP, ownCube);
    }
    void expectOwnBindings()
    {
        EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
        EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(own2d));
        EXPECT_EQ(integer(GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(ownCube));
    }
};

struct SpoiltImage {
    const char* name;
    bool remove;  // else cut short after its headers
    const char* problemStart;
};

void PrintTo(const SpoiltImage& s, std::ostream* out)
{
    *out << s.name;
}

class ReloadSpoiltImage : public ReloadImage, public testing::WithParamInterface<SpoiltImage> {};

}  // namespace

TEST_F(ReloadImage, rewrittenImageGoesIntoTheSameTextureWithItsMipmapsRebuilt)
{
    const std::string path = dir.path + "/image.bmp";
    writeBmp(path, 8, 8, 255, 0, 0);
    Texture texture;
    captureStdout([&] { texture.load(path.c_str()); });
    ASSERT_GT(texture.id, 0);
    const GLuint id = static_cast<GLuint>(texture.id);

    // Another size, so every level is new.
    writeBmp(path, 4, 4, 0, 255, 0);
    bindOwn();
    bool read = false;
    const std::string console = captureStdout([&] { read = reloadTexture(texture, path.c_str(), problem); });
    EXPECT_TRUE(read);
    EXPECT_STREQ(problem, "");
    EXPECT_EQ(console, "\nImage file: '" + path + "' found!Texture loaded, ID: " + std::to_string(id));
    expectOwnBindings();

    EXPECT_EQ(texture.id, static_cast<int>(id));
    EXPECT_EQ(texels(GL_TEXTURE_2D, GL_TEXTURE_2D, id, 0), solid(4, 4, 0, 255, 0));
    EXPECT_EQ(texels(GL_TEXTURE_2D, GL_TEXTURE_2D, id, 2), solid(1, 1, 0, 255, 0));
    GLint minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST) << "the object's parameters stay";
}

TEST_P(ReloadSpoiltImage, keepsTheTexelsAndGivesTheConsoleLine)
{
    const std::string path = dir.path + "/image.bmp";
    writeBmp(path, 8, 8, 255, 0, 0);
    Texture texture;
    captureStdout([&] { texture.load(path.c_str()); });
    const GLuint id = static_cast<GLuint>(texture.id);
    if (GetParam().remove)
        std::remove(path.c_str());
    else
        std::filesystem::resize_file(path, 60);

    bindOwn();
    bool read = true;
    const std::string console = captureStdout([&] { read = reloadTexture(texture, path.c_str(), problem); });
    EXPECT_FALSE(read);
    const std::string expectedStart = "Image file: '" + path + "' " + GetParam().problemStart;
    EXPECT_EQ(std::string(problem).rfind(expectedStart, 0), 0u) << problem;
    EXPECT_EQ(console.substr(console.size() - std::string(problem).size() - 1), "\n" + std::string(problem))
        << "the window shows the console's line";
    expectOwnBindings();
    EXPECT_EQ(texture.id, static_cast<int>(id));
    EXPECT_EQ(texels(GL_TEXTURE_2D, GL_TEXTURE_2D, id, 0), solid(8, 8, 255, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Gl, ReloadSpoiltImage,
                         testing::Values(SpoiltImage{"missing", true, "NOT found!"},
                                         SpoiltImage{"cutShort", false, "rejected: "}),
                         [](const testing::TestParamInfo<SpoiltImage>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(ReloadImage, rewrittenCubeFaceChangesThatFaceAlone)
{
    std::string paths[cubeFaceCount];
    for (int i = 0; i < cubeFaceCount; ++i) {
        paths[i] = dir.path + "/face" + std::to_string(i) + ".bmp";
        writeBmp(paths[i], 8, 8, static_cast<unsigned char>(40 * i), 100, 200);
    }
    CubeMapTexture cube;
    captureStdout([&] {
        cube.load(paths[0].c_str(), paths[1].c_str(), paths[2].c_str(), paths[3].c_str(),
                  paths[4].c_str(), paths[5].c_str());
    });
    ASSERT_GT(cube.id, 0);
    const GLuint id = static_cast<GLuint>(cube.id);

    writeBmp(paths[2], 8, 8, 250, 250, 0);
    bindOwn();
    bool read = false;
    const std::string console = captureStdout([&] { read = reloadCubeFace(cube, 2, paths[2].c_str(), problem); });
    EXPECT_TRUE(read);
    EXPECT_EQ(console, "\nImage file: '" + paths[2] + "' found!");
    expectOwnBindings();

    for (int i = 0; i < cubeFaceCount; ++i) {
        const GLenum face = GL_TEXTURE_CUBE_MAP_POSITIVE_X + static_cast<GLenum>(i);
        const std::vector<unsigned char> expected =
            i == 2 ? solid(8, 8, 250, 250, 0) : solid(8, 8, static_cast<unsigned char>(40 * i), 100, 200);
        EXPECT_EQ(texels(GL_TEXTURE_CUBE_MAP, face, id, 0), expected) << "face " << i;
        EXPECT_EQ(texels(GL_TEXTURE_CUBE_MAP, face, id, 3).size(), 4u) << "face " << i;
        EXPECT_EQ(texels(GL_TEXTURE_CUBE_MAP, face, id, 3),
                  std::vector<unsigned char>(expected.begin(), expected.begin() + 4))
            << "face " << i << ", smallest level";
    }
}
