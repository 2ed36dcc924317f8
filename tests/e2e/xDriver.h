#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

// Real X events and screenshots, through Xlib and the XTest extension.

// The test display, opened once per process; null when there is none.
Display* testDisplay();

std::vector<Window> windowsTitled(Display* display, const std::string& title);

struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool viewable = false;
};
WindowGeometry windowGeometry(Display* display, Window window);

// 0xRRGGBB pixels, row by row from the top-left corner.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Screenshot grabWindow(Display* display, Window window);
// Pixels whose brightest channel exceeds a little above black, rows from `firstRow` on.
int litPixels(const Screenshot& shot, int firstRow);
// Pixels that differ by more than a small tolerance inside the given rectangle.
int differingPixels(const Screenshot& a, const Screenshot& b, int x0, int y0, int x1, int y1);

void movePointer(Display* display, int screenX, int screenY);
void setButton(Display* display, unsigned button, bool down);
void tapKey(Display* display, unsigned long keysym, bool shifted);
// Presses `button` at the start, moves in `steps` equal steps, releases at the end.
void drag(Display* display, unsigned button, int x0, int y0, int x1, int y1, int steps);
// Lets go of every button and of Shift, so no test leaves the server with them held.
void releaseEverything(Display* display);
