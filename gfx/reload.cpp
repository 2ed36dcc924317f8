#include "gfx/reload.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstring>

#include "gfx/imageFile.h"

namespace {

// "path: " and the log's first line, or `fallback` when the log is empty.
void describeLog(char (&problem)[problemSize], const char* path, GLuint object, bool isShader,
                 const char* fallback)
{
    char log[problemSize] = "";
    GLsizei written = 0;
    if (isShader)
        glGetShaderInfoLog(object, sizeof log, &written, log);
    else
        glGetProgramInfoLog(object, sizeof log, &written, log);
    log[std::strcspn(log, "\r\n")] = '\0';
    std::snprintf(problem, sizeof problem, "%s: %s", path, log[0] != '\0' ? log : fallback);
}

// False, with the problem written, when the shader did not compile.
bool shaderCompiled(GLuint shader, const char* path, char (&problem)[problemSize])
{
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE)
        return true;
    GLint sourceLength = 0;
    glGetShaderiv(shader, GL_SHADER_SOURCE_LENGTH, &sourceLength);
    // No source at all: the file could not be read.
    if (sourceLength == 0)
        std::snprintf(problem, sizeof problem, "%s: File not found", path);
    else
        describeLog(problem, path, shader, true, "compile failed");
    return false;
}

// Binds on unit 0 for the upload, then gives unit 0 back its bindings.
struct UnitZeroBindings {
    GLint texture2d = 0;
    GLint cubeMap = 0;

    UnitZeroBindings()
    {
        glActiveTexture(GL_TEXTURE0);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture2d);
        glGetIntegerv(GL_TEXTURE_BINDING_CUBE_MAP, &cubeMap);
    }
    ~UnitZeroBindings()
    {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture2d));
        glBindTexture(GL_TEXTURE_CUBE_MAP, static_cast<GLuint>(cubeMap));
    }
};

}  // namespace

bool rebuildProgram(ShaderProgram& program, const char* vertexPath, const char* fragmentPath,
                    char (&problem)[problemSize])
{
    ShaderProgram next;
    next.build(vertexPath, fragmentPath);
    const bool good = shaderCompiled(next.vertexShader, vertexPath, problem) &&
                      shaderCompiled(next.fragmentShader, fragmentPath, problem);
    if (good && !next.linked()) {
        char both[problemSize];
        std::snprintf(both, sizeof both, "%s, %s", vertexPath, fragmentPath);
        describeLog(problem, both, next.program, false, "link failed");
    }
    if (!good || !next.linked()) {
        next.release();
        return false;
    }
    program.release();
    program = next;
    problem[0] = '\0';
    return true;
}

bool reloadTexture(Texture& texture, const char* path, char (&problem)[problemSize])
{
    bool read = false;
    {
        UnitZeroBindings keep;
        read = texture.reload(path);
    }
    std::snprintf(problem, sizeof problem, "%s", read ? "" : lastImageProblem);
    return read;
}

bool reloadCubeFace(CubeMapTexture& cube, int face, const char* path, char (&problem)[problemSize])
{
    bool read = false;
    {
        UnitZeroBindings keep;
        cube.bind();
        read = cube.loadFace(path, face) == 0;
    }
    std::snprintf(problem, sizeof problem, "%s", read ? "" : lastImageProblem);
    return read;
}
