#pragma once

#include "gfx/cubeMapTexture.h"
#include "gfx/texture.h"

const int textureCount = 4;

// amethys, vok, karirano and the sphere map, in that order.
extern Texture textures[textureCount];
extern CubeMapTexture cubeMapTexture;
extern const char* const texturePaths[textureCount];
// By cube-map slot: cubeFacePaths[i] fills GL_TEXTURE_CUBE_MAP_POSITIVE_X + i.
extern const char* const cubeFacePaths[cubeFaceCount];

// Loads every image, then binds units 3, 2, 1 and 0, leaving unit 0 active.
void setupTextures();
// The three steps of setupTextures, apart for timing: the four 2D images,
// the cube map bound to unit 3, then units 2, 1 and 0.
void loadTextureImages();
void setupCubeMap();
void bindTextureUnits();
