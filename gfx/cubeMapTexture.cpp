#include "gfx/cubeMapTexture.h"

#include <GL/glew.h>

#include <cstdio>

#include "gfx/imageFile.h"

int CubeMapTexture::load(const char* path0, const char* path1, const char* path2,
                         const char* path3, const char* path4, const char* path5)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    id = static_cast<int>(name);
    glBindTexture(GL_TEXTURE_CUBE_MAP, name);
    const char* paths[cubeFaceCount] = {path0, path1, path2, path3, path4, path5};
    for (int i = 0; i < cubeFaceCount; ++i) {
        if (loadFace(paths[i], i) == -1)
            return -1;
    }
    std::printf("Texture loaded, ID: %d", id);
    return id;
}

int CubeMapTexture::loadFace(const char* path, int i)
{
    if (i < 0 || i >= cubeFaceCount)
        return -1;
    std::FILE* file = openImageFile(path);
    if (file == nullptr)
        return -1;
    BmpImage image;
    if (!readImage(file, path, image)) {
        std::fclose(file);
        return -1;
    }
    faces[i] = image.rgba.data();
    const GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + static_cast<GLenum>(i);
    glTexImage2D(target, 0, 4, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, faces[i]);
    gluBuild2DMipmaps(target, 4, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, faces[i]);
    // The pixels go with `image` at the end of this call; drop the pointer
    // before it dangles.
    faces[i] = nullptr;
    return std::fclose(file) == 0 ? 0 : -1;
}

void CubeMapTexture::bind() const
{
    glBindTexture(GL_TEXTURE_CUBE_MAP, static_cast<GLuint>(id));
}
