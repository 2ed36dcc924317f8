#include "gfx/textureSet.h"

#include <GL/glew.h>

Texture textures[textureCount];
CubeMapTexture cubeMapTexture;

const char* const texturePaths[textureCount] = {
    "textures/amethys.bmp",
    "textures/vok.bmp",
    "textures/karirano.bmp",
    "textures/spheremap.bmp",
};

// Each image lands on the face of the opposite sign to its name.
const char* const cubeFacePaths[cubeFaceCount] = {
    "textures/terrain_negative_x.bmp", "textures/terrain_positive_x.bmp",
    "textures/terrain_negative_y.bmp", "textures/terrain_positive_y.bmp",
    "textures/terrain_negative_z.bmp", "textures/terrain_positive_z.bmp",
};

void loadTextureImages()
{
    for (int i = 0; i < textureCount; ++i)
        textures[i].load(texturePaths[i]);
}

void setupCubeMap()
{
    cubeMapTexture.load(cubeFacePaths[0], cubeFacePaths[1], cubeFacePaths[2], cubeFacePaths[3],
                        cubeFacePaths[4], cubeFacePaths[5]);
    glActiveTexture(GL_TEXTURE3);
    cubeMapTexture.bind();
}

void bindTextureUnits()
{
    // textures[2] is loaded but left on no unit.
    glActiveTexture(GL_TEXTURE2);
    textures[3].bind();
    glActiveTexture(GL_TEXTURE1);
    textures[1].bind();
    glActiveTexture(GL_TEXTURE0);
    textures[0].bind();
}

void setupTextures()
{
    loadTextureImages();
    setupCubeMap();
    bindTextureUnits();
}
