#pragma once

#include "tests/imageCompare.h"

// A pixel differs when a channel is off by more than 8 levels; up to 0.1 % of
// the compared pixels (66 at 320x240) may differ. Today a fresh render matches
// its reference bit for bit, in the ASan build too, so 8 levels leave room for
// a Mesa update's rounding and 0.1 % for a few pixels along an edge, while the
// smallest faults tried still put 160 pixels or more beyond 8 levels (a mipmap
// filter changed, the blend made 45/55, the light or the camera moved).
// Another rasterizer (softpipe) differs by more in the textured modes: after a
// change of driver, rewrite the references (tools/references.sh).
//
// The frame-rate line (rows 11 to 24) is written once the first second since
// start-up has passed; a sanitizer build on a busy machine can reach its last
// frame after that, so rows 0 to 30 are left out. Nothing else is drawn there:
// the key hint starts at row 31, the teapot lower still.
const ImageTolerance imageTestTolerance = {8, 0.001, 31};
