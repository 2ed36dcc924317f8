#pragma once

// The frames the benchmark compares, all drawn in the current window with
// the program's own programs, camera and render state.
enum class FrameKind {
    program,      // the program's display(): what a user gets
    bare,         // clear, look-at, light, teapot, swap: nothing else
    bareOverlay,  // the bare frame plus the program's two overlay lines
};

const char* frameKindName(FrameKind kind);

// Makes `mode` the one the next frames of `kind` draw in.
void prepareFrames(FrameKind kind, int mode);
void drawOneFrame(FrameKind kind, int mode);
// Milliseconds per frame over `frames` frames, finished on the GPU side.
double timeFrames(FrameKind kind, int mode, int frames);
