#pragma once

#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

// Everything written to standard output while `run` runs.
inline std::string captureStdout(const std::function<void()>& run)
{
    std::fflush(stdout);
    std::FILE* sink = std::tmpfile();
    const int saved = dup(fileno(stdout));
    dup2(fileno(sink), fileno(stdout));
    run();
    std::fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    std::string text;
    std::rewind(sink);
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, sink)) > 0)
        text.append(chunk, got);
    std::fclose(sink);
    return text;
}
