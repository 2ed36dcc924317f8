#include "gfx/shadingModes.h"

#include "view/camera.h"

ShaderProgram shaderPrograms[shadingModeCount];
int currentShader = 0;

// Mode 0 has no sources: its program stays 0, the fixed-function pipeline.
const ShaderSources modeSources[shadingModeCount] = {
    {nullptr, nullptr},
    {"shaders/osnovnoTexturiranje.vert", "shaders/osnovnoTexturiranje.frag"},
    {"shaders/textureLights.vert", "shaders/textureLights.frag"},
    {"shaders/multitexturing.vert", "shaders/multitexturing.frag"},
    {"shaders/sphereMapping.vert", "shaders/sphereMapping.frag"},
    {"shaders/cubeMapping.vert", "shaders/cubeMapping.frag"},
};

namespace {

// Sampler uniforms name texture units; the units are bound at start-up.
const int unitTex1 = 0;
const int unitTex2 = 1;
const int unitEnvMap = 2;
const int unitCubeMap = 3;

}  // namespace

void buildShaderPrograms()
{
    for (int mode = 1; mode < shadingModeCount; ++mode)
        shaderPrograms[mode].build(modeSources[mode].vertex, modeSources[mode].fragment);
}

void applyShader()
{
    const ShaderProgram& p = shaderPrograms[currentShader];
    p.use();
    p.setUniform1i("tex1", unitTex1);
    switch (currentShader) {
    case 3:
        p.setUniform1i("tex2", unitTex2);
        break;
    case 4:
        p.setUniform1i("envMap", unitEnvMap);
        break;
    case 5: {
        p.setUniform1i("cubeMap", unitCubeMap);
        const EyePosition eye = eyePosition(camera, cameraDistance);
        p.setUniform4f("ViewPosition", static_cast<float>(eye.x), static_cast<float>(eye.y),
                       static_cast<float>(eye.z), 1.0f);
        break;
    }
    default:
        break;
    }
}
