#pragma once

const int fpsTextSize = 40;

extern int frameCount;
extern int lastFpsTime;
extern char fpsText[fpsTextSize];

// Counts one frame drawn at `now` (milliseconds); rewrites fpsText once more
// than a second has passed since the last update.
void countFrame(int now);
