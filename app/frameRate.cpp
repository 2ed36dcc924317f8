#include "app/frameRate.h"

#include <cstdio>

int frameCount = 0;
int lastFpsTime = 0;
char fpsText[fpsTextSize] = "";

void countFrame(int now)
{
    ++frameCount;
    const int elapsed = now - lastFpsTime;
    if (elapsed > 1000) {
        std::snprintf(fpsText, sizeof fpsText, "FPS: %4.2f", frameCount * 1000.0 / elapsed);
        lastFpsTime = now;
        frameCount = 0;
    }
}
