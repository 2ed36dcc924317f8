#include "bench/allocCount.h"

#include <pthread.h>

#include <atomic>
#include <cerrno>
#include <cstddef>

// glibc's own allocator, under the names it keeps for interposers.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void* __libc_valloc(std::size_t size);
void* __libc_pvalloc(std::size_t size);
void __libc_free(void* pointer);
}

namespace {

std::atomic<bool> counting{false};
std::atomic<long> mainCount{0};
std::atomic<long> otherCount{0};
pthread_t mainThread;
int currentBucket = 0;
CallerTally tallies[allocTallySlots];
int tallyCount = 0;

// Main thread only, so the table needs no lock; a full table drops the rest.
void tallyCaller(void* caller)
{
    for (int i = 0; i < tallyCount; ++i) {
        if (tallies[i].caller == caller && tallies[i].bucket == currentBucket) {
            ++tallies[i].count;
            return;
        }
    }
    if (tallyCount < allocTallySlots)
        tallies[tallyCount++] = {currentBucket, caller, 1};
}

void countOne(void* caller)
{
    if (!counting.load(std::memory_order_relaxed))
        return;
    if (pthread_equal(pthread_self(), mainThread)) {
        mainCount.fetch_add(1, std::memory_order_relaxed);
        tallyCaller(caller);
    } else {
        otherCount.fetch_add(1, std::memory_order_relaxed);
    }
}

}  // namespace

void startAllocCounting()
{
    mainThread = pthread_self();
    mainCount = 0;
    otherCount = 0;
    counting = true;
}

void setAllocBucket(int bucket)
{
    currentBucket = bucket;
}

void clearCallerTallies()
{
    tallyCount = 0;
}

int takeCallerTallies(CallerTally* out)
{
    const int count = tallyCount;
    for (int i = 0; i < count; ++i)
        out[i] = tallies[i];
    tallyCount = 0;
    return count;
}

AllocCounts stopAllocCounting()
{
    counting = false;
    return {mainCount.load(), otherCount.load()};
}

// Defined in the executable, these take the place of libc's for every
// library loaded into the process, the GL driver included.
extern "C" {

void* malloc(std::size_t size) noexcept
{
    countOne(__builtin_return_address(0));
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) noexcept
{
    countOne(__builtin_return_address(0));
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, std::size_t size) noexcept
{
    countOne(__builtin_return_address(0));
    return __libc_realloc(pointer, size);
}

void* memalign(std::size_t alignment, std::size_t size) noexcept
{
    countOne(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept
{
    countOne(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** result, std::size_t alignment, std::size_t size) noexcept
{
    if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    countOne(__builtin_return_address(0));
    void* pointer = __libc_memalign(alignment, size);
    if (pointer == nullptr)
        return ENOMEM;
    *result = pointer;
    return 0;
}

void* valloc(std::size_t size) noexcept
{
    countOne(__builtin_return_address(0));
    return __libc_valloc(size);
}

void* pvalloc(std::size_t size) noexcept
{
    countOne(__builtin_return_address(0));
    return __libc_pvalloc(size);
}

void* reallocarray(void* pointer, std::size_t count, std::size_t size) noexcept
{
    std::size_t total = 0;
    if (__builtin_mul_overflow(count, size, &total)) {
        errno = ENOMEM;
        return nullptr;
    }
    countOne(__builtin_return_address(0));
    return __libc_realloc(pointer, total);
}

void free(void* pointer) noexcept
{
    __libc_free(pointer);
}

}  // extern "C"
