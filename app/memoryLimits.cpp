#include "app/memoryLimits.h"

#include <malloc.h>

void keepLargeBlocksOutOfTheHeap()
{
    // glibc raises its mmap threshold to the size of each large block freed,
    // up to 32 MB. A resize frees the driver's window-sized buffers, so after
    // a few, the next ones come from the heap, and blocks of ever-changing
    // sizes leave it fragmented and growing with every resize. Fixing the
    // threshold at its default turns that off: blocks over 128 kB are mapped
    // on their own and returned whole when freed. Nothing per frame is that big.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}
