#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

#include "tests/e2e/childProcess.h"
#include "tests/e2e/xDriver.h"

// One run of the real program under the test display, driven by X events.
// The destructor kills the program if it still runs and lets go of the input.
struct ProgramRun {
    ChildProcess child;
    Window window = 0;
    // What start() runs: the program, or another one that opens a "Shaders" window.
    std::string program = SHADERS_PROGRAM;

    ProgramRun() = default;
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    ~ProgramRun();

    // Starts build/shaders with `args` in `workDir` with freeglut's frame counter on.
    bool start(const std::string& workDir, const std::vector<std::string>& envChanges = {},
               const std::vector<std::string>& args = {});
    // Waits for the program's own "Shaders" window to be on screen.
    bool waitForWindow(int timeoutMs);
    // start, then waits for the window and its first frames.
    bool startDrawing(const std::string& workDir, const std::vector<std::string>& envChanges = {},
                      const std::vector<std::string>& args = {});
    // Waits for `count` more frame-rate lines from freeglut than seen so far.
    bool waitForMoreFrames(int count, int timeoutMs);
    // Waits until stdout holds at least `length` bytes.
    bool waitForOutput(size_t length, int timeoutMs);
    // Output pumped while time passes, so the pipes never fill.
    void pause(int ms);
    // A screenshot once the picture has stopped changing below the overlay.
    Screenshot settledScreenshot();
    // Pointer into the window, then the key: keyboard focus follows the pointer.
    void pressKey(unsigned long keysym, bool shifted = false);
    // Esc, then the exit status (-1 when it does not end in time).
    int escapeAndWait(int timeoutMs);
    int centreX() const;
    int centreY() const;
};

int freeglutFrameLines(const std::string& err);
// The frame counts of freeglut's lines, in order.
std::vector<int> freeglutFrameCounts(const std::string& err);
long residentKb(int pid);

// Generous bounds: a sanitizer build starts and draws several times slower.
const int windowTimeoutMs = 60000;
const int exitTimeoutMs = 20000;
