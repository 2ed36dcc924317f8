// Sends one kind of X event at a time to a program showing a "Shaders" window
// and prints its resident size as it goes, to tell which events grow it.
//   e2eMemoryDriver KIND SECONDS [PROGRAM]
// KIND: idle, resize, drag, keys (S and A), resize-keys (both in turn), random
// (the soak's mix), random-noresize (the mix without resizes) or cross (the
// pointer in and out of the window).
// PROGRAM defaults to build/shaders; it runs in the source tree and inherits
// this environment (so MALLOC_ARENA_MAX, GLIBC_TUNABLES and the like reach it).
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "tests/e2e/childProcess.h"
#include "tests/e2e/programRun.h"
#include "tests/e2e/randomInput.h"
#include "tests/e2e/xDriver.h"

namespace {

const char* const kinds[] = {"idle", "resize", "drag", "keys", "random", "random-noresize", "resize-keys", "cross", "hover", "wheel", "otherkeys"};

void sendResize(Display* display, Window window, std::mt19937& random)
{
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    XResizeWindow(display, window, static_cast<unsigned>(pick(1, 1279)),
                  static_cast<unsigned>(pick(1, 1023)));
}

void sendDragStep(Display* display, Window window, std::mt19937& random, int step)
{
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const WindowGeometry g = windowGeometry(display, window);
    // Press on every 50th step with the left or right button, release before the next press.
    if (step % 50 == 0)
        setButton(display, pick(0, 1) == 0 ? 1 : 3, true);
    movePointer(display, g.x + pick(0, g.width - 1), g.y + pick(0, g.height - 1));
    if (step % 50 == 49)
        releaseEverything(display);
}

void sendKey(Display* display, std::mt19937& random)
{
    const KeyCode code = XKeysymToKeycode(display, random() % 2 == 0 ? XK_s : XK_a);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
}

void sendHover(Display* display, Window window, std::mt19937& random)
{
    const WindowGeometry g = windowGeometry(display, window);
    movePointer(display, g.x + static_cast<int>(random() % g.width), g.y + static_cast<int>(random() % g.height));
}

void sendWheel(Display* display, std::mt19937& random)
{
    const unsigned buttons[] = {2, 4, 5};
    const unsigned button = buttons[random() % 3];
    setButton(display, button, true);
    setButton(display, button, false);
}

void sendRandomKey(Display* display, std::mt19937& random)
{
    const KeySym syms[] = {XK_q, XK_z, XK_1, XK_space, XK_Return, XK_Tab, XK_F1, XK_Left, XK_Home, XK_x};
    const KeyCode code = XKeysymToKeycode(display, syms[random() % 10]);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
}

// In and out of the window in turn: an enter and a leave every two moves.
void sendCrossing(Display* display, Window window, int step)
{
    const WindowGeometry g = windowGeometry(display, window);
    movePointer(display, step % 2 == 0 ? g.x + g.width / 2 : g.x + g.width + 50, g.y + g.height / 2);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string kind = argc > 1 ? argv[1] : "";
    bool known = false;
    for (const char* k : kinds)
        known = known || kind == k;
    if (!known || argc < 3 || std::atoi(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: e2eMemoryDriver idle|resize|drag|keys|resize-keys|random|random-noresize|cross SECONDS [PROGRAM]\n");
        return 2;
    }
    Display* display = testDisplay();
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    ProgramRun run;
    if (argc > 3)
        run.program = argv[3];
    if (!run.start(SHADERS_SOURCE_DIR) || !run.waitForWindow(windowTimeoutMs)) {
        std::fprintf(stderr, "%s did not start\n%s", run.program.c_str(), run.child.err.c_str());
        return 1;
    }
    run.waitForMoreFrames(1, windowTimeoutMs);
    std::printf("# %s for %s s, pid %d\n# seconds  rss_kB  events\n", kind.c_str(), argv[2],
                run.child.pid);
    std::fflush(stdout);

    std::mt19937 random(1211);
    const long long start = nowMs();
    const long long end = start + std::atoi(argv[2]) * 1000LL;
    long long nextSample = start;
    // Events per 10 ms pause: 20 unless E2E_BATCH says otherwise.
    const int batch = std::getenv("E2E_BATCH") != nullptr ? std::atoi(std::getenv("E2E_BATCH")) : 20;
    long events = 0;
    while (nowMs() < end) {
        for (int i = 0; i < batch && kind != "idle"; ++i, ++events) {
            if (kind == "resize")
                sendResize(display, run.window, random);
            else if (kind == "drag")
                sendDragStep(display, run.window, random, static_cast<int>(events));
            else if (kind == "keys")
                sendKey(display, random);
            else if (kind == "hover")
                sendHover(display, run.window, random);
            else if (kind == "wheel")
                sendWheel(display, random);
            else if (kind == "otherkeys")
                sendRandomKey(display, random);
            else if (kind == "cross")
                sendCrossing(display, run.window, i);
            else if (kind == "resize-keys" && i % 2 == 0)
                sendResize(display, run.window, random);
            else if (kind == "resize-keys")
                sendKey(display, random);
            else
                sendRandomEvent(display, run.window, random, kind == "random");
        }
        XSync(display, False);
        run.pause(10);
        if (waitForExit(run.child, 0)) {
            std::fprintf(stderr, "the program ended\n%s", run.child.err.c_str());
            return 1;
        }
        if (nowMs() >= nextSample) {
            std::printf("%8.1f %8ld %9ld\n", (nowMs() - start) / 1000.0, residentKb(run.child.pid),
                        events);
            std::fflush(stdout);
            nextSample += 5000;
        }
    }
    restoreWindow(display, run.window);
    run.escapeAndWait(exitTimeoutMs);
    return 0;
}
