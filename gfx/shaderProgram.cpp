#include "gfx/shaderProgram.h"

#include "gfx/fileRead.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct ShaderKind {
    GLenum type;
    const char* banner;
    const char* closing;
};

const ShaderKind vertexKind = {GL_VERTEX_SHADER, "\n--Vertex Shader Info--\n",
                               "\n----------------------\n"};
const ShaderKind fragmentKind = {GL_FRAGMENT_SHADER, "\n--Fragment Shader Info--\n",
                                 "\n------------------------\n"};
const char programBanner[] = "\n--Shader Program Info--\n";
const char programClosing[] = "\n-----------------------\n";

unsigned int loadShader(const ShaderKind& kind, const char* path)
{
    std::fputs(kind.banner, stdout);
    const GLuint shader = glCreateShader(kind.type);
    std::FILE* file = std::fopen(path, "r");
    std::size_t size = 0;
    char* source = file != nullptr ? readOpenFile(file, &size) : nullptr;
    if (file != nullptr)
        std::fclose(file);
    // A file that opens but cannot be read is as good as missing.
    if (source == nullptr) {
        std::fputs("File not found\n", stdout);
        return shader;
    }
    const GLchar* sources[] = {source};
    glShaderSource(shader, 1, sources, nullptr);
    glCompileShader(shader);
    printShaderLog(shader);
    std::fputs(kind.closing, stdout);
    std::free(source);
    return shader;
}

// Shaders and programs keep their logs alike; only the entry points differ.
void printInfoLog(GLuint object, const char* format, PFNGLGETSHADERIVPROC getLength,
                  PFNGLGETSHADERINFOLOGPROC getLog)
{
    GLint length = 0;
    getLength(object, GL_INFO_LOG_LENGTH, &length);
    if (length <= 0)
        return;
    char* log = static_cast<char*>(std::malloc(static_cast<size_t>(length)));
    if (log == nullptr)
        return;
    GLsizei written = 0;
    getLog(object, length, &written, log);
    std::printf(format, log);
    std::free(log);
}

}  // namespace

void ShaderProgram::loadVertexShader(const char* path)
{
    vertexShader = loadShader(vertexKind, path);
}

void ShaderProgram::loadFragmentShader(const char* path)
{
    fragmentShader = loadShader(fragmentKind, path);
}

void ShaderProgram::build(const char* vertexPath, const char* fragmentPath)
{
    loadVertexShader(vertexPath);
    loadFragmentShader(fragmentPath);
    program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    std::fputs(programBanner, stdout);
    printProgramLog(program);
    std::fputs(programClosing, stdout);
}

bool ShaderProgram::linked() const
{
    GLint status = GL_FALSE;
    if (program != 0)
        glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status == GL_TRUE;
}

void ShaderProgram::release()
{
    // Deleting 0 is ignored, so a half-built program is released alike.
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    glDeleteProgram(program);
    vertexShader = fragmentShader = program = 0;
}

void ShaderProgram::use() const
{
    glUseProgram(program);
}

void ShaderProgram::setUniform1i(const char* name, int value) const
{
    glUniform1i(glGetUniformLocation(program, name), value);
}

void ShaderProgram::setUniform4f(const char* name, float x, float y, float z, float w) const
{
    glUniform4f(glGetUniformLocation(program, name), x, y, z, w);
}

void printShaderLog(unsigned int shader)
{
    printInfoLog(shader, "\n%s\n", glGetShaderiv, glGetShaderInfoLog);
}

void printProgramLog(unsigned int program)
{
    printInfoLog(program, "%s", glGetProgramiv, glGetProgramInfoLog);
}
