#include "app/frame.h"

#include <GL/glew.h>
#include <GL/glut.h>

#include "app/frameRate.h"
#include "app/renderState.h"
#include "gfx/shadingModes.h"
#include "view/camera.h"

int windowWidth = 0;
int windowHeight = 0;
void* const overlayFont = GLUT_BITMAP_HELVETICA_18;
const char keyHint[] = "S - promjena programa za sjencanje";

void drawFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    applyShader();

    lookAtCameraAndLight();
    glutSolidTeapot(1.0);

    countFrame(glutGet(GLUT_ELAPSED_TIME));

    beginOverlay();
    drawOverlayText();
    endOverlay();
}

void lookAtCameraAndLight()
{
    glLoadIdentity();
    const EyePosition eye = eyePosition(camera, cameraDistance);
    gluLookAt(eye.x, eye.y, eye.z, camera.target.x, camera.target.y, camera.target.z, camera.up.x,
              camera.up.y, camera.up.z);
    // Given under the view transform, so the light stays fixed in the world.
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
}

void beginOverlay()
{
    // The text is drawn unlit and without a program, whatever the mode.
    shaderPrograms[0].use();
    glDisable(GL_LIGHTING);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, overlayDiffuse);
    setOrthoProjection();
    glPushMatrix();
    glLoadIdentity();
}

void drawOverlayText()
{
    drawText(30.0f, 25.0f, overlayFont, fpsText);
    drawText(30.0f, 45.0f, overlayFont, keyHint);
}

void endOverlay()
{
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_LIGHTING);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, materialDiffuse);
}

void display()
{
    drawFrame();
    glutSwapBuffers();
}

void reshape(int width, int height)
{
    if (height == 0)
        height = 1;
    windowWidth = width;
    windowHeight = height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    gluPerspective(45.0, static_cast<float>(width) / height, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
}

void setOrthoProjection()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, windowWidth, 0.0, windowHeight);
    glScalef(1.0f, -1.0f, 1.0f);
    glTranslatef(0.0f, static_cast<float>(-windowHeight), 0.0f);
    glMatrixMode(GL_MODELVIEW);
}

void drawText(float x, float y, void* font, const char* text)
{
    glRasterPos2f(x, y);
    for (const char* c = text; *c != '\0'; ++c)
        glutBitmapCharacter(font, static_cast<unsigned char>(*c));
}
