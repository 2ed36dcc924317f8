#pragma once

extern int windowWidth;
extern int windowHeight;
extern void* const overlayFont;
extern const char keyHint[];

// Draws one frame into the back buffer without presenting it.
void drawFrame();
// The display and idle callback: drawFrame, then swap.
void display();
void reshape(int width, int height);

// The pieces of a frame, apart so the benchmark can time them.
void lookAtCameraAndLight();
// Program 0, no lighting, pixel-space projection; endOverlay undoes it all.
void beginOverlay();
void drawOverlayText();
void endOverlay();
// Pushes a pixel-space projection, origin top-left, y down; the caller pops it.
void setOrthoProjection();
void drawText(float x, float y, void* font, const char* text);
