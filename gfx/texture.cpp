#include "gfx/texture.h"

#include <GL/glew.h>

#include <cstdio>

#include "gfx/imageFile.h"

int Texture::load(const char* path)
{
    std::FILE* file = openImageFile(path);
    if (file == nullptr)
        return -1;
    BmpImage image;
    const bool read = readImage(file, path, image);
    std::fclose(file);
    if (!read)
        return -1;

    GLuint name = 0;
    glGenTextures(1, &name);
    id = static_cast<int>(name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.rgba.data());
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE,
                      image.rgba.data());
    std::printf("Texture loaded, ID: %d", id);
    return id;
}

void Texture::bind() const
{
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(id));
}
