#include "tests/e2e/xDriver.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>

#include "tests/e2e/childProcess.h"

namespace {

void collectTitled(Display* display, Window window, const std::string& title,
                   std::vector<Window>& found)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
        if (title == name)
            found.push_back(window);
        XFree(name);
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0)
        return;
    for (unsigned i = 0; i < count; ++i)
        collectTitled(display, children[i], title, found);
    if (children != nullptr)
        XFree(children);
}

int channelDistance(uint32_t a, uint32_t b)
{
    int worst = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = std::abs(static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff));
        worst = std::max(worst, d);
    }
    return worst;
}

}  // namespace

Display* testDisplay()
{
    static Display* display = XOpenDisplay(nullptr);
    return display;
}

std::vector<Window> windowsTitled(Display* display, const std::string& title)
{
    std::vector<Window> found;
    XSync(display, False);
    collectTitled(display, DefaultRootWindow(display), title, found);
    return found;
}

WindowGeometry windowGeometry(Display* display, Window window)
{
    WindowGeometry g;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0)
        return g;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &g.x, &g.y, &child);
    g.width = attributes.width;
    g.height = attributes.height;
    g.viewable = attributes.map_state == IsViewable;
    return g;
}

Screenshot grabWindow(Display* display, Window window)
{
    Screenshot shot;
    const WindowGeometry g = windowGeometry(display, window);
    if (g.width <= 0 || g.height <= 0)
        return shot;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(g.width),
                              static_cast<unsigned>(g.height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return shot;
    shot.width = g.width;
    shot.height = g.height;
    shot.pixels.resize(static_cast<size_t>(g.width) * g.height);
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            shot.pixels[static_cast<size_t>(y) * g.width + x] =
                static_cast<uint32_t>(XGetPixel(image, x, y) & 0xffffff);
    XDestroyImage(image);
    return shot;
}

int litPixels(const Screenshot& shot, int firstRow)
{
    int count = 0;
    for (int y = firstRow; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (channelDistance(shot.at(x, y), 0) > 8)
                ++count;
    return count;
}

int differingPixels(const Screenshot& a, const Screenshot& b, int x0, int y0, int x1, int y1)
{
    if (a.width != b.width || a.height != b.height)
        return -1;
    int count = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, a.height); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, a.width); ++x)
            if (channelDistance(a.at(x, y), b.at(x, y)) > 3)
                ++count;
    return count;
}

void movePointer(Display* display, int screenX, int screenY)
{
    XTestFakeMotionEvent(display, -1, screenX, screenY, CurrentTime);
    XSync(display, False);
}

void setButton(Display* display, unsigned button, bool down)
{
    XTestFakeButtonEvent(display, button, down ? True : False, CurrentTime);
    XSync(display, False);
}

void tapKey(Display* display, unsigned long keysym, bool shifted)
{
    const KeyCode code = XKeysymToKeycode(display, keysym);
    if (code == 0)
        return;
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    if (shifted)
        XTestFakeKeyEvent(display, shift, True, CurrentTime);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    if (shifted)
        XTestFakeKeyEvent(display, shift, False, CurrentTime);
    XSync(display, False);
}

void drag(Display* display, unsigned button, int x0, int y0, int x1, int y1, int steps)
{
    movePointer(display, x0, y0);
    sleepMs(50);
    setButton(display, button, true);
    sleepMs(50);
    for (int i = 1; i <= steps; ++i) {
        movePointer(display, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
        sleepMs(15);
    }
    setButton(display, button, false);
    sleepMs(50);
}

void releaseEverything(Display* display)
{
    for (unsigned button = 1; button <= 5; ++button)
        XTestFakeButtonEvent(display, button, False, CurrentTime);
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Shift_L), False, CurrentTime);
    XSync(display, False);
}
