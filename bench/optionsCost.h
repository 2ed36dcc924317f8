#pragma once

#include "app/options.h"

// The frame of a run with `options` (its frame callback, applied here)
// against the plain display(), alternating in every round: median frame
// times, their ratio, and heap allocations per frame of each.
void reportOptionsCost(const char* label, const Options& options, int rounds, int frames, int warmup);
