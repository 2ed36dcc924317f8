#pragma once

// One GLSL program of a vertex and a fragment shader read from files. A
// program of 0 stands for the fixed-function pipeline.
class ShaderProgram {
public:
    unsigned int vertexShader = 0;
    unsigned int fragmentShader = 0;
    unsigned int program = 0;

    void loadVertexShader(const char* path);
    void loadFragmentShader(const char* path);
    // Compiles both shaders and links them, printing every log between banners.
    void build(const char* vertexPath, const char* fragmentPath);
    bool linked() const;
    // Deletes the shaders and the program; all three names become 0.
    void release();
    void use() const;
    void setUniform1i(const char* name, int value) const;
    void setUniform4f(const char* name, float x, float y, float z, float w) const;
};

void printShaderLog(unsigned int shader);
void printProgramLog(unsigned int program);

