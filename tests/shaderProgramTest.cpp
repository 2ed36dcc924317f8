// Building programs against the real driver: what the console shows and what
// OpenGL ends up holding.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "gfx/fileRead.h"
#include "gfx/shaderProgram.h"
#include "gfx/shadingModes.h"
#include "tests/captureStdout.h"

namespace {

const std::string vertexBanner = "\n--Vertex Shader Info--\n";
const std::string vertexClosing = "\n----------------------\n";
const std::string fragmentBanner = "\n--Fragment Shader Info--\n";
const std::string fragmentClosing = "\n------------------------\n";
const std::string programBanner = "\n--Shader Program Info--\n";
const std::string programClosing = "\n-----------------------\n";
const std::string cleanBuild = vertexBanner + vertexClosing + fragmentBanner + fragmentClosing +
                               programBanner + programClosing;

const char goodVertex[] = "#version 110\nvoid main()\n{\n    gl_Position = ftransform();\n}\n";
const char goodFragment[] = "#version 110\nvoid main()\n{\n    gl_FragColor = vec4(1.0);\n}\n";

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A fresh directory under the system's temp dir, for sources the tests write.
class ScratchDir {
public:
    std::string path;

    ScratchDir()
    {
        char name[] = "/tmp/shaderProgramTest.XXXXXX";
        path = mkdtemp(name);
    }
    ~ScratchDir()
    {
        const std::string command = "rm -rf '" + path + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    std::string write(const char* name, const std::string& bytes) const
    {
        const std::string file = path + "/" + name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
};

std::string shaderSource(unsigned int shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_SHADER_SOURCE_LENGTH, &length);
    std::string text(static_cast<std::size_t>(length), '\0');
    GLsizei written = 0;
    if (length > 0)
        glGetShaderSource(shader, length, &written, &text[0]);
    text.resize(static_cast<std::size_t>(written));
    return text;
}

std::string shaderLog(unsigned int shader)
{
    char log[4096] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    return log;
}

std::string programLog(unsigned int program)
{
    char log[4096] = {};
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    return log;
}

GLint shaderParameter(unsigned int shader, GLenum name)
{
    GLint value = -1;
    glGetShaderiv(shader, name, &value);
    return value;
}

GLint programParameter(unsigned int program, GLenum name)
{
    GLint value = -1;
    glGetProgramiv(program, name, &value);
    return value;
}

}  // namespace

TEST(ShaderProgram, ShippedSourcesBuildInModeOrderWithEmptyLogs)
{
    const char* const names[] = {"osnovnoTexturiranje", "textureLights", "multitexturing",
                                 "sphereMapping", "cubeMapping"};
    const std::string console = captureStdout(buildShaderPrograms);

    std::string expected;
    for (int i = 0; i < 5; ++i)
        expected += cleanBuild;
    EXPECT_EQ(console, expected);
    EXPECT_EQ(shaderPrograms[0].program, 0u);
    for (int mode = 1; mode < shadingModeCount; ++mode) {
        const ShaderProgram& p = shaderPrograms[mode];
        const std::string base = std::string("shaders/") + names[mode - 1];
        SCOPED_TRACE(base);
        EXPECT_EQ(shaderSource(p.vertexShader), readFile(base + ".vert"));
        EXPECT_EQ(shaderSource(p.fragmentShader), readFile(base + ".frag"));
        EXPECT_EQ(shaderParameter(p.vertexShader, GL_COMPILE_STATUS), GL_TRUE)
            << shaderLog(p.vertexShader);
        EXPECT_EQ(shaderParameter(p.fragmentShader, GL_COMPILE_STATUS), GL_TRUE)
            << shaderLog(p.fragmentShader);
        EXPECT_EQ(programParameter(p.program, GL_LINK_STATUS), GL_TRUE) << programLog(p.program);
        // A warning would make a log non-empty: the console check above
        // already fails then; these say which one.
        EXPECT_EQ(shaderParameter(p.vertexShader, GL_INFO_LOG_LENGTH), 0);
        EXPECT_EQ(shaderParameter(p.fragmentShader, GL_INFO_LOG_LENGTH), 0);
        EXPECT_EQ(programParameter(p.program, GL_INFO_LOG_LENGTH), 0);
    }
}

TEST(ShaderProgram, SourceWithCrLfLineEndsReachesTheCompilerAsRead)
{
    ScratchDir dir;
    std::string crlf;
    for (const char* c = goodVertex; *c != '\0'; ++c)
        crlf += *c == '\n' ? std::string("\r\n") : std::string(1, *c);
    const std::string vertexPath = dir.write("crlf.vert", crlf);
    const std::string fragmentPath = dir.write("good.frag", goodFragment);

    ShaderProgram p;
    const std::string console =
        captureStdout([&] { p.build(vertexPath.c_str(), fragmentPath.c_str()); });

    EXPECT_EQ(console, cleanBuild);
    EXPECT_EQ(shaderParameter(p.vertexShader, GL_SHADER_SOURCE_LENGTH),
              static_cast<GLint>(crlf.size() + 1));
    EXPECT_EQ(shaderSource(p.vertexShader), crlf);
    EXPECT_EQ(programParameter(p.program, GL_LINK_STATUS), GL_TRUE);
}

// A source that cannot be read, whatever the reason, shows "File not found"
// after its banner and no closing line; the link then fails and says so.
TEST(ShaderProgram, UnreadableSourceIsReportedAndTheLinkFails)
{
    ScratchDir dir;
    const std::string vertexPath = dir.write("good.vert", goodVertex);
    const std::string fragmentPath = dir.write("good.frag", goodFragment);
    const std::string directory = dir.path + "/folder.vert";
    ASSERT_EQ(mkdir(directory.c_str(), 0755), 0);
    const std::string missing = dir.path + "/missing.vert";

    struct Case {
        const char* what;
        std::string vertex;
        std::string fragment;
        bool vertexBad;
    };
    const Case cases[] = {
        {"missing vertex", missing, fragmentPath, true},
        {"directory as vertex", directory, fragmentPath, true},
        {"missing fragment", vertexPath, missing, false},
        {"directory as fragment", vertexPath, directory, false},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    // Only a user other than root is refused a file without read permission.
    if (geteuid() != 0) {
        const std::string locked = dir.write("locked.frag", goodFragment);
        chmod(locked.c_str(), 0);
        all.push_back({"unreadable fragment", vertexPath, locked, false});
    }
    for (const Case& c : all) {
        SCOPED_TRACE(c.what);
        ShaderProgram p;
        const std::string console =
            captureStdout([&] { p.build(c.vertex.c_str(), c.fragment.c_str()); });

        const unsigned int bad = c.vertexBad ? p.vertexShader : p.fragmentShader;
        EXPECT_EQ(glIsShader(bad), GL_TRUE) << "the shader is created before the file is opened";
        EXPECT_EQ(shaderParameter(bad, GL_SHADER_SOURCE_LENGTH), 0);
        EXPECT_EQ(shaderParameter(bad, GL_COMPILE_STATUS), GL_FALSE);
        EXPECT_EQ(programParameter(p.program, GL_LINK_STATUS), GL_FALSE);

        const std::string log = programLog(p.program);
        EXPECT_FALSE(log.empty());
        const std::string shaders =
            c.vertexBad ? vertexBanner + "File not found\n" + fragmentBanner + fragmentClosing
                        : vertexBanner + vertexClosing + fragmentBanner + "File not found\n";
        EXPECT_EQ(console, shaders + programBanner + log + programClosing);
    }
}

TEST(ShaderProgram, CompileErrorLogIsPrintedBetweenItsBannersAndBuildingCarriesOn)
{
    ScratchDir dir;
    const std::string vertexPath = dir.write("good.vert", goodVertex);
    const std::string fragmentPath =
        dir.write("broken.frag", "#version 110\nvoid main()\n{\n    gl_FragColor = colour;\n}\n");

    ShaderProgram p;
    const std::string console =
        captureStdout([&] { p.build(vertexPath.c_str(), fragmentPath.c_str()); });

    const std::string compileLog = shaderLog(p.fragmentShader);
    EXPECT_NE(compileLog.find("colour"), std::string::npos) << compileLog;
    EXPECT_EQ(shaderParameter(p.fragmentShader, GL_COMPILE_STATUS), GL_FALSE);
    const std::string linkLog = programLog(p.program);
    EXPECT_FALSE(linkLog.empty());
    EXPECT_EQ(console, vertexBanner + vertexClosing + fragmentBanner + "\n" + compileLog + "\n" +
                           fragmentClosing + programBanner + linkLog + programClosing);

    // The next program builds as if nothing had happened.
    ShaderProgram next;
    const std::string nextConsole = captureStdout(
        [&] { next.build(vertexPath.c_str(), dir.write("good.frag", goodFragment).c_str()); });
    EXPECT_EQ(nextConsole, cleanBuild);
    EXPECT_EQ(programParameter(next.program, GL_LINK_STATUS), GL_TRUE);
}

TEST(FileRead, RefusesStreamsThatOpenButCannotBeRead)
{
    ScratchDir dir;
    const std::string path = dir.write("data.vert", goodVertex);

    // Open for writing only: sizing works, reading fails.
    std::FILE* writeOnly = std::fopen(path.c_str(), "a");
    ASSERT_NE(writeOnly, nullptr);
    std::size_t size = 12345;
    EXPECT_EQ(readOpenFile(writeOnly, &size), nullptr);
    EXPECT_EQ(size, 12345u);
    std::fclose(writeOnly);

    std::FILE* folder = std::fopen(dir.path.c_str(), "r");
    ASSERT_NE(folder, nullptr) << "a directory opens for reading here";
    EXPECT_EQ(readOpenFile(folder, &size), nullptr);
    std::fclose(folder);

    std::FILE* file = std::fopen(path.c_str(), "r");
    char* text = readOpenFile(file, &size);
    std::fclose(file);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(size, sizeof goodVertex - 1);
    EXPECT_EQ(std::string(text, size + 1), std::string(goodVertex, sizeof goodVertex));
    std::free(text);

    std::FILE* empty = std::fopen(dir.write("empty.vert", "").c_str(), "r");
    text = readOpenFile(empty, &size);
    std::fclose(empty);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(text[0], '\0');
    std::free(text);
}
