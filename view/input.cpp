#include "view/input.h"

#include <GL/glew.h>
#include <GL/glut.h>

#include <cstdlib>

#include "gfx/shadingModes.h"
#include "view/camera.h"

bool leftButtonDown = false;
bool rightButtonDown = false;
int lastMouseX = 0;
int lastMouseY = 0;
bool polygonFill = true;

namespace {

const int escapeKey = 27;
const double pixelsPerRadian = 50.0;
const double pixelsPerZoomUnit = 10.0;
const float nearestDistance = 1.0f;

}  // namespace

void keyboard(unsigned char key, int, int)
{
    switch (key) {
    case escapeKey:
        std::exit(0);
    case 's':
    case 'S':
        currentShader = (currentShader + 1) % shadingModeCount;
        break;
    case 'a':
    case 'A':
        togglePolygonMode();
        break;
    default:
        break;
    }
}

void togglePolygonMode()
{
    glPolygonMode(GL_FRONT_AND_BACK, polygonFill ? GL_LINE : GL_FILL);
    polygonFill = !polygonFill;
}

void mouse(int button, int state, int x, int y)
{
    bool* held = button == GLUT_LEFT_BUTTON    ? &leftButtonDown
                 : button == GLUT_RIGHT_BUTTON ? &rightButtonDown
                                               : nullptr;
    if (held == nullptr)
        return;
    if (state == GLUT_DOWN) {
        *held = true;
        lastMouseX = x;
        lastMouseY = y;
    } else if (state == GLUT_UP) {
        *held = false;
    }
}

void motion(int x, int y)
{
    if (leftButtonDown) {
        // Both turns run on every event, so a purely vertical drag still
        // recomputes `right` through a zero-angle turn about `up`.
        camera.rotateAroundUp((lastMouseX - x) / pixelsPerRadian);
        camera.rotateAroundRight((lastMouseY - y) / pixelsPerRadian);
        lastMouseY = y;
        lastMouseX = x;
    } else if (rightButtonDown) {
        cameraDistance = static_cast<float>((lastMouseX - x) / pixelsPerZoomUnit + cameraDistance);
        lastMouseX = x;
        if (cameraDistance < nearestDistance)
            cameraDistance = nearestDistance;
        lastMouseY = y;
    } else {
        lastMouseX = x;
        lastMouseY = y;
    }
}
