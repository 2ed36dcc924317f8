#include "app/renderState.h"

#include <GL/glew.h>

// The light and material colours keep alpha 0; only the overlay's is opaque.
const float lightAmbient[4] = {1.0f, 1.0f, 1.0f, 0.0f};
const float lightDiffuse[4] = {1.0f, 1.0f, 1.0f, 0.0f};
const float lightSpecular[4] = {1.0f, 1.0f, 1.0f, 0.0f};
// w = 0: a directional light shining from (50, 20, 50).
const float lightPosition[4] = {50.0f, 20.0f, 50.0f, 0.0f};
const float materialAmbient[4] = {0.1f, 0.1f, 0.1f, 0.0f};
const float materialDiffuse[4] = {0.5f, 0.5f, 0.5f, 0.0f};
const float materialSpecular[4] = {0.8f, 0.8f, 0.8f, 0.0f};
const float materialShininess = 35.0f;
const float overlayDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};

void initRenderState()
{
    glEnable(GL_DEPTH_TEST);
    // The teapot's outside faces wind clockwise, so culling the
    // counter-clockwise "front" faces leaves its outside visible.
    glCullFace(GL_FRONT);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPointSize(2.0f);

    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLighti(GL_LIGHT0, GL_SPOT_EXPONENT, 10);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);

    glMaterialfv(GL_FRONT, GL_AMBIENT, materialAmbient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, materialDiffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, materialSpecular);
    glMaterialfv(GL_FRONT, GL_SHININESS, &materialShininess);

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glLineWidth(1.0f);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
}
