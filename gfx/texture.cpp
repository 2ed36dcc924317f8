#include "gfx/texture.h"

#include <GL/glew.h>

#include <cstdio>

#include "gfx/imageFile.h"

namespace {

bool readImagePath(const char* path, BmpImage& image)
{
    std::FILE* file = openImageFile(path);
    if (file == nullptr)
        return false;
    const bool read = readImage(file, path, image);
    std::fclose(file);
    return read;
}

// Level 0 as read, then every level down to 1 x 1 from it.
void uploadToBound(const BmpImage& image)
{
    glTexImage2D(GL_TEXTURE_2D, 0, 4, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.rgba.data());
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE,
                      image.rgba.data());
}

}  // namespace

int Texture::load(const char* path)
{
    BmpImage image;
    if (!readImagePath(path, image))
        return -1;

    GLuint name = 0;
    glGenTextures(1, &name);
    id = static_cast<int>(name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    uploadToBound(image);
    std::printf("Texture loaded, ID: %d", id);
    return id;
}

bool Texture::reload(const char* path)
{
    if (id < 0)
        return load(path) != -1;
    BmpImage image;
    if (!readImagePath(path, image))
        return false;
    bind();
    uploadToBound(image);
    std::printf("Texture loaded, ID: %d", id);
    return true;
}

void Texture::bind() const
{
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(id));
}
