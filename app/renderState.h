#pragma once

extern const float lightAmbient[4];
extern const float lightDiffuse[4];
extern const float lightSpecular[4];
extern const float lightPosition[4];
extern const float materialAmbient[4];
extern const float materialDiffuse[4];
extern const float materialSpecular[4];
extern const float materialShininess;
extern const float overlayDiffuse[4];

// The fixed-function state every frame starts from.
void initRenderState();
