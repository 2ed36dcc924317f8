#pragma once

#include "gfx/cubeMapTexture.h"
#include "gfx/shaderProgram.h"
#include "gfx/texture.h"

// Rebuilding a program and re-reading images while the program runs. Each
// prints what start-up prints; on failure `problem` gets the line to show.

const int problemSize = 256;

// Builds the two files as new GL objects, with the start-up banners and logs.
// If they link, they replace `program`'s, whose objects are deleted. If not
// (a file missing, a compile or link error), `program` is left as it was, the
// new objects are deleted, and `problem` reads "file: first line of the log".
bool rebuildProgram(ShaderProgram& program, const char* vertexPath, const char* fragmentPath,
                    char (&problem)[problemSize]);

// Read again into the same texture object, mipmaps rebuilt; for the cube map
// only slot `face`. A missing or refused image keeps the texels it had and
// `problem` gets its console line. Unit 0 is active afterwards, with the
// bindings it had before.
bool reloadTexture(Texture& texture, const char* path, char (&problem)[problemSize]);
bool reloadCubeFace(CubeMapTexture& cube, int face, const char* path,
                    char (&problem)[problemSize]);
