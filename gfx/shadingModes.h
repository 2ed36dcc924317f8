#pragma once

#include "gfx/shaderProgram.h"

// 0 fixed function, 1 basic texturing, 2 texture and lighting,
// 3 multiple texturing, 4 sphere mapping, 5 cube mapping.
const int shadingModeCount = 6;

struct ShaderSources {
    const char* vertex;
    const char* fragment;
};
// Null for mode 0, which has no program.
extern const ShaderSources modeSources[shadingModeCount];

extern ShaderProgram shaderPrograms[shadingModeCount];
extern int currentShader;

// Builds the programs of modes 1 to 5, in mode order.
void buildShaderPrograms();
// Makes the current mode's program current and sends its uniforms.
void applyShader();
