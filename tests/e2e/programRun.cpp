#include "tests/e2e/programRun.h"

#include <X11/keysym.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

const char windowTitle[] = "Shaders";

std::vector<Window> windowsBefore;

}  // namespace

ProgramRun::~ProgramRun()
{
    stopProcess(child);
    if (testDisplay() != nullptr)
        releaseEverything(testDisplay());
}

bool ProgramRun::start(const std::string& workDir, const std::vector<std::string>& envChanges,
                       const std::vector<std::string>& args)
{
    if (testDisplay() == nullptr)
        return false;
    // A window left by anything else must not be taken for ours.
    windowsBefore = windowsTitled(testDisplay(), windowTitle);
    std::vector<std::string> env = {"GLUT_FPS=1000", "LIBGL_ALWAYS_SOFTWARE=1"};
    env.insert(env.end(), envChanges.begin(), envChanges.end());
    return startProcess(child, program, workDir, env, args);
}

bool ProgramRun::startDrawing(const std::string& workDir, const std::vector<std::string>& envChanges,
                              const std::vector<std::string>& args)
{
    return start(workDir, envChanges, args) && waitForWindow(windowTimeoutMs) &&
           waitForMoreFrames(1, windowTimeoutMs);
}

bool ProgramRun::waitForWindow(int timeoutMs)
{
    const long long deadline = nowMs() + timeoutMs;
    while (nowMs() < deadline) {
        drainOutput(child);
        for (Window w : windowsTitled(testDisplay(), windowTitle)) {
            bool old = false;
            for (Window b : windowsBefore)
                old = old || b == w;
            if (!old && windowGeometry(testDisplay(), w).viewable) {
                window = w;
                return true;
            }
        }
        if (waitForExit(child, 0))
            return false;
        sleepMs(20);
    }
    return false;
}

bool ProgramRun::waitForMoreFrames(int count, int timeoutMs)
{
    drainOutput(child);
    const int target = freeglutFrameLines(child.err) + count;
    const long long deadline = nowMs() + timeoutMs;
    while (freeglutFrameLines(child.err) < target) {
        if (nowMs() > deadline || waitForExit(child, 0))
            return false;
        sleepMs(20);
        drainOutput(child);
    }
    return true;
}

bool ProgramRun::waitForOutput(size_t length, int timeoutMs)
{
    const long long deadline = nowMs() + timeoutMs;
    drainOutput(child);
    while (child.out.size() < length && nowMs() < deadline) {
        sleepMs(20);
        drainOutput(child);
    }
    return child.out.size() >= length;
}

void ProgramRun::pause(int ms)
{
    const long long deadline = nowMs() + ms;
    while (nowMs() < deadline) {
        drainOutput(child);
        sleepMs(10);
    }
}

Screenshot ProgramRun::settledScreenshot()
{
    // Unchanged over three grabs, so a frame still on its way is not missed.
    Screenshot last = grabWindow(testDisplay(), window);
    int unchanged = 0;
    for (int tries = 0; tries < 60 && unchanged < 2; ++tries) {
        pause(100);
        Screenshot next = grabWindow(testDisplay(), window);
        unchanged = differingPixels(last, next, 0, 60, next.width, next.height) == 0 ? unchanged + 1 : 0;
        last = next;
    }
    return last;
}

void ProgramRun::pressKey(unsigned long keysym, bool shifted)
{
    movePointer(testDisplay(), centreX(), centreY());
    tapKey(testDisplay(), keysym, shifted);
}

int ProgramRun::escapeAndWait(int timeoutMs)
{
    pressKey(XK_Escape);
    if (!waitForExit(child, timeoutMs))
        return -1;
    return exitCode(child);
}

int ProgramRun::centreX() const
{
    const WindowGeometry g = windowGeometry(testDisplay(), window);
    return g.x + g.width / 2;
}

int ProgramRun::centreY() const
{
    const WindowGeometry g = windowGeometry(testDisplay(), window);
    return g.y + g.height / 2;
}

std::vector<int> freeglutFrameCounts(const std::string& err)
{
    std::vector<int> counts;
    std::istringstream lines(err);
    std::string line;
    int frames = 0;
    while (std::getline(lines, line))
        if (std::sscanf(line.c_str(), "freeglut: %d frames in", &frames) == 1)
            counts.push_back(frames);
    return counts;
}

int freeglutFrameLines(const std::string& err)
{
    return static_cast<int>(freeglutFrameCounts(err).size());
}

long residentKb(int pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}
