#pragma once

// What --watch costs while no file changes: the frame rate with the watch
// polled every frame against the plain frame, and allocations per frame.
void reportWatchCost(int rounds, int frames, int warmup);
