#include "bench/benchFrames.h"

#include <GL/glew.h>
#include <GL/glut.h>

#include <chrono>

#include "app/frame.h"
#include "app/frameRate.h"
#include "app/renderState.h"
#include "gfx/shadingModes.h"
#include "view/camera.h"

namespace {

void drawBareScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    const EyePosition eye = eyePosition(camera, cameraDistance);
    gluLookAt(eye.x, eye.y, eye.z, camera.target.x, camera.target.y, camera.target.z, camera.up.x,
              camera.up.y, camera.up.z);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glutSolidTeapot(1.0);
}

// The overlay exactly as drawFrame draws it, fixed-function program included.
void drawOverlay()
{
    shaderPrograms[0].use();
    glDisable(GL_LIGHTING);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, overlayDiffuse);
    setOrthoProjection();
    glPushMatrix();
    glLoadIdentity();
    drawText(30.0f, 25.0f, overlayFont, fpsText);
    drawText(30.0f, 45.0f, overlayFont, keyHint);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_LIGHTING);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, materialDiffuse);
}

}  // namespace

const char* frameKindName(FrameKind kind)
{
    switch (kind) {
    case FrameKind::program:
        return "program";
    case FrameKind::bare:
        return "bare";
    case FrameKind::bareOverlay:
        return "bare+overlay";
    }
    return "?";
}

void prepareFrames(FrameKind kind, int mode)
{
    currentShader = mode;
    // The uniforms the program sent in earlier frames stay in its program
    // object, so the bare frames need no look-ups to draw the same picture.
    if (kind == FrameKind::bare)
        shaderPrograms[mode].use();
}

void drawOneFrame(FrameKind kind, int mode)
{
    switch (kind) {
    case FrameKind::program:
        display();
        return;
    case FrameKind::bare:
        drawBareScene();
        break;
    case FrameKind::bareOverlay:
        shaderPrograms[mode].use();
        drawBareScene();
        drawOverlay();
        break;
    }
    glutSwapBuffers();
}

double timeFrames(FrameKind kind, int mode, int frames)
{
    prepareFrames(kind, mode);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i)
        drawOneFrame(kind, mode);
    glFinish();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / frames;
}
