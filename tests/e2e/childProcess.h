#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A program started by a test, its output collected through pipes.
struct ChildProcess {
    pid_t pid = -1;
    int outFd = -1;
    int errFd = -1;
    std::string out;
    std::string err;
    bool finished = false;
    int waitStatus = 0;
};

// Starts `path` with `args` in `workDir` with this process's environment
// changed by `envChanges`: "NAME=value" sets a variable, a bare "NAME" removes it.
bool startProcess(ChildProcess& child, const std::string& path, const std::string& workDir,
                  const std::vector<std::string>& envChanges,
                  const std::vector<std::string>& args = {});
// Moves whatever the child has written so far into `out` and `err`.
void drainOutput(ChildProcess& child);
// True once the child has ended, within `timeoutMs`; its output is drained.
bool waitForExit(ChildProcess& child, int timeoutMs);
// Exit status of a child that ended normally, -1 when a signal ended it.
int exitCode(const ChildProcess& child);
// Kills a child still running, by its pid, and reaps it.
void stopProcess(ChildProcess& child);

void sleepMs(int ms);
long long nowMs();
