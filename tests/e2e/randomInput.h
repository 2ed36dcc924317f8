#pragma once

#include <X11/Xlib.h>

#include <random>

// One random X event of the kinds a person (or a cat on the keyboard) sends:
// keys known and unknown except Esc, presses and releases of every button,
// small and huge pointer moves, and, when `resizes` is set, odd window sizes.
void sendRandomEvent(Display* display, Window window, std::mt19937& random, bool resizes);
// Back to 800 x 600 at (100, 100), pointer in the middle, nothing held.
void restoreWindow(Display* display, Window window);
// X errors the random resizes provoked (a height of 0 is refused by the server).
int refusedRequests();
