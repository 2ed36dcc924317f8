#include "app/watch.h"

bool startWatching()
{
    return false;
}

void pollWatch() {}

void drawWatchStatus() {}
