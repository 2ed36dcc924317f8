#pragma once

#include "tests/pngRead.h"

// How far a fresh render may stray from its reference picture.
struct ImageTolerance {
    int channel = 0;      // a pixel differs when one of its channels is off by more
    double share = 0.0;   // share of the compared pixels allowed to differ
    int skipTopRows = 0;  // rows at the top left out of the comparison
};

struct ImageDifference {
    bool sameSize = false;
    int comparedPixels = 0;
    int changedPixels = 0;    // any channel off at all
    int differingPixels = 0;  // a channel off by more than the tolerance's
    int largestChannel = 0;   // the largest channel difference seen
};

ImageDifference compareImages(const RgbImage& fresh, const RgbImage& reference,
                              const ImageTolerance& tolerance);
bool withinTolerance(const ImageDifference& difference, const ImageTolerance& tolerance);
// The reference dimmed to a quarter, pixels beyond the tolerance in red, pixels
// off by less in blue, the rows left out in dark green. Same size inputs only.
RgbImage differencePicture(const RgbImage& fresh, const RgbImage& reference,
                           const ImageTolerance& tolerance);
