#pragma once

// Counts heap allocations made anywhere in this process (malloc and its
// relatives, so operator new too), split by the thread that made them. The
// program's own code runs on the main thread; the driver also allocates on
// its rasteriser threads.
struct AllocCounts {
    long mainThread;
    long otherThreads;
};

void startAllocCounting();
AllocCounts stopAllocCounting();
