#include "tests/e2e/randomInput.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "tests/e2e/childProcess.h"
#include "tests/e2e/xDriver.h"

namespace {

int refused = 0;

int countError(Display*, XErrorEvent*)
{
    ++refused;
    return 0;
}

const KeySym keys[] = {XK_s, XK_a, XK_q, XK_z, XK_1, XK_space, XK_Return, XK_Tab,
                       XK_BackSpace, XK_Delete, XK_F1, XK_Left, XK_Up, XK_Home, XK_Control_L,
                       XK_Alt_L, XK_Shift_L, XK_x, XK_Insert, XK_F12};

}  // namespace

void sendRandomEvent(Display* display, Window window, std::mt19937& random, bool resizes)
{
    XSetErrorHandler(countError);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    const int kind = pick(0, resizes ? 9 : 8);
    if (kind <= 2) {
        const KeySym sym = keys[pick(0, sizeof keys / sizeof keys[0] - 1)];
        const KeyCode code = XKeysymToKeycode(display, sym);
        if (code != 0) {
            XTestFakeKeyEvent(display, code, True, CurrentTime);
            XTestFakeKeyEvent(display, code, False, CurrentTime);
        }
    } else if (kind <= 4) {
        XTestFakeButtonEvent(display, static_cast<unsigned>(pick(1, 5)), pick(0, 1) == 1, CurrentTime);
    } else if (kind <= 6) {
        // Small steps around where the window is.
        const WindowGeometry g = windowGeometry(display, window);
        XTestFakeMotionEvent(display, -1, g.x + pick(-5, g.width + 5), g.y + pick(-5, g.height + 5),
                             CurrentTime);
    } else if (kind <= 8) {
        // Jumps across the whole screen and beyond its edges.
        XTestFakeMotionEvent(display, -1, pick(-2000, screenWidth + 2000),
                             pick(-2000, screenHeight + 2000), CurrentTime);
    } else {
        const int shape = pick(0, 3);
        const unsigned width = static_cast<unsigned>(shape == 0 ? pick(1, 3) : pick(1, 1279));
        const unsigned height = static_cast<unsigned>(shape == 1 ? pick(0, 1) : pick(1, 1023));
        if (pick(0, 1) == 0)
            XResizeWindow(display, window, width, height);
        else
            XMoveResizeWindow(display, window, pick(0, 400), pick(0, 400), width, height);
    }
    XFlush(display);
}

void restoreWindow(Display* display, Window window)
{
    releaseEverything(display);
    XMoveResizeWindow(display, window, 100, 100, 800, 600);
    XSync(display, False);
    sleepMs(200);
    movePointer(display, 500, 400);
}

int refusedRequests()
{
    return refused;
}
