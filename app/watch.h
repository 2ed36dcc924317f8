#pragma once

// --watch: shaders/ and textures/ watched while the program runs. A saved
// shader rebuilds its mode's program (the last good one keeps drawing when
// the new one fails); a saved image is read again into its texture.

// After start-up's textures; one console line for each folder it cannot watch.
bool startWatching();
// Once per frame before drawing: at most one non-blocking read, and the
// rebuilds and reloads once the folders have been quiet for a moment.
void pollWatch();
// After the frame's overlay, before the swap: the standing error, if any.
void drawWatchStatus();
