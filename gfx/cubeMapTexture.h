#pragma once

const int cubeFaceCount = 6;

// A cube map read from six BMP files; slot i is the face
// GL_TEXTURE_CUBE_MAP_POSITIVE_X + i (+X, -X, +Y, -Y, +Z, -Z).
class CubeMapTexture {
public:
    int id = -1;
    unsigned char* faces[cubeFaceCount] = {};

    // The texture name, or -1 as soon as one face fails.
    int load(const char* path0, const char* path1, const char* path2, const char* path3,
             const char* path4, const char* path5);
    // -1 when the file is missing or refused, else the result of closing it.
    int loadFace(const char* path, int i);
    void bind() const;
};
