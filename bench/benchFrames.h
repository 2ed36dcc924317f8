#pragma once

// The frames the benchmark compares, all drawn in the current window with
// the program's own programs, camera and render state.
enum class FrameKind {
    program,      // the program's display(): what a user gets
    bare,         // clear, look-at, light, teapot, swap: nothing else
    bareOverlay,  // the bare frame plus the program's two overlay lines
    optioned,     // the frame callback a run with options gets (applyOptions)
};

// The bare+overlay frame step by step, for counting what each step costs.
struct FrameStep {
    const char* name;
    void (*run)();
};
const int bareOverlayStepCount = 8;
extern const FrameStep bareOverlaySteps[bareOverlayStepCount];

// Makes `mode` the one the next frames of `kind` draw in.
void prepareFrames(FrameKind kind, int mode);
void drawOneFrame(FrameKind kind, int mode);
// The median of `frames` frame times, in milliseconds.
double timeFrames(FrameKind kind, int mode, int frames);
// Whether a bare frame draws the same scene as the program's frame, read
// back from the window below the overlay text.
bool bareMatchesProgram(int mode);
