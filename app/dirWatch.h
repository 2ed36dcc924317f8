#pragma once

// Folders watched through inotify, and the quiet-time rule that turns the
// bursts of events one save makes into one change.

// One save (write in place, rename over, delete and recreate) gives several
// events; a change counts once the folder has been quiet this long.
const int quietTimeMs = 100;

// Changes seen but not yet acted on, as bits the caller assigns.
struct QuietTime {
    unsigned pending = 0;
    long long lastEventMs = 0;
};

void noteEvent(QuietTime& quiet, unsigned bits, long long nowMs);
// The pending bits once no event has come for quietTimeMs, then cleared; else 0.
unsigned takeSettled(QuietTime& quiet, long long nowMs);

const int maxWatchedDirs = 2;

struct DirWatch {
    int fd = -1;
    int dirCount = 0;
    int descriptors[maxWatchedDirs] = {-1, -1};
};

// A non-blocking inotify instance; false when the system refuses one.
bool openDirWatch(DirWatch& watch);
// Watches `path` for files written, moved in, created or deleted; the
// folder's index for readDirEvents, or -1 when it cannot be watched.
int watchDir(DirWatch& watch, const char* path);
// At most one non-blocking read; calls onEvent with the folder's index and
// the file's name for each event that names a file. No allocation.
void readDirEvents(const DirWatch& watch, void (*onEvent)(int dir, const char* name));
void closeDirWatch(DirWatch& watch);

long long monotonicMs();
