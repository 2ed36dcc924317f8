#pragma once

// Sets the C library's allocator up for a long session of resizes; called
// first thing at start-up.
void keepLargeBlocksOutOfTheHeap();
