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

// Main-thread allocations are also tallied by the address that called the
// allocator and by a bucket the caller names (a frame step, say), so they
// can be traced to the library that made them.
void setAllocBucket(int bucket);
struct CallerTally {
    int bucket;
    void* caller;
    long count;
};
void clearCallerTallies();
// The tallies so far (at most allocTallySlots distinct pairs), then cleared.
const int allocTallySlots = 1024;
int takeCallerTallies(CallerTally* out);
