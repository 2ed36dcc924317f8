#pragma once

extern bool leftButtonDown;
extern bool rightButtonDown;
extern int lastMouseX;
extern int lastMouseY;
extern bool polygonFill;

// Toolkit callbacks: S cycles the shading mode, A toggles wireframe, Esc
// quits; a left drag orbits the camera and a right drag zooms.
void keyboard(unsigned char key, int x, int y);
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
// Filled to wireframe polygons or back, as A does.
void togglePolygonMode();
