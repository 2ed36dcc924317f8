#pragma once

// Rebuilds a mode's program or reloads an image when its file changes
// (--watch).

// Starts watching shaders/ and textures/; false when neither can be watched.
bool startWatching();
// Once per frame, before drawing: takes in what changed and rebuilds.
void pollWatch();
// After the frame's overlay: the last failed rebuild's line, if any.
void drawWatchStatus();
