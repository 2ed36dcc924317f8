#include "app/dirWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <ctime>

void noteEvent(QuietTime& quiet, unsigned bits, long long nowMs)
{
    if (bits == 0)
        return;
    quiet.pending |= bits;
    quiet.lastEventMs = nowMs;
}

unsigned takeSettled(QuietTime& quiet, long long nowMs)
{
    if (quiet.pending == 0 || nowMs - quiet.lastEventMs < quietTimeMs)
        return 0;
    const unsigned bits = quiet.pending;
    quiet.pending = 0;
    return bits;
}

bool openDirWatch(DirWatch& watch)
{
    watch.fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    watch.dirCount = 0;
    return watch.fd >= 0;
}

int watchDir(DirWatch& watch, const char* path)
{
    if (watch.fd < 0 || watch.dirCount == maxWatchedDirs)
        return -1;
    const int descriptor = inotify_add_watch(watch.fd, path,
                                             IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE |
                                                 IN_ONLYDIR);
    if (descriptor < 0)
        return -1;
    watch.descriptors[watch.dirCount] = descriptor;
    return watch.dirCount++;
}

void readDirEvents(const DirWatch& watch, void (*onEvent)(int dir, const char* name))
{
    if (watch.fd < 0)
        return;
    // Room for a few dozen events; what does not fit waits for the next read.
    alignas(inotify_event) char buffer[4096];
    const ssize_t got = read(watch.fd, buffer, sizeof buffer);
    if (got <= 0)
        return;
    for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        if (event->len == 0)
            continue;
        for (int dir = 0; dir < watch.dirCount; ++dir)
            if (watch.descriptors[dir] == event->wd)
                onEvent(dir, event->name);
    }
}

void closeDirWatch(DirWatch& watch)
{
    if (watch.fd >= 0)
        close(watch.fd);
    watch = DirWatch();
}

long long monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
