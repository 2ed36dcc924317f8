#include "tests/e2e/childProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace {

std::vector<std::string> changedEnvironment(const std::vector<std::string>& changes)
{
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e)
        env.emplace_back(*e);
    for (const std::string& change : changes) {
        const std::string name = change.substr(0, change.find('='));
        for (auto it = env.begin(); it != env.end();) {
            if (it->compare(0, name.size() + 1, name + "=") == 0)
                it = env.erase(it);
            else
                ++it;
        }
        if (change.find('=') != std::string::npos)
            env.push_back(change);
    }
    return env;
}

void readAvailable(int fd, std::string& into)
{
    if (fd < 0)
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return;
        into.append(buffer, static_cast<size_t>(n));
    }
}

}  // namespace

bool startProcess(ChildProcess& child, const std::string& path, const std::string& workDir,
                  const std::vector<std::string>& envChanges, const std::vector<std::string>& args)
{
    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0)
        return false;
    if (pipe(errPipe) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return false;
    }
    // Everything the child needs is prepared before fork: only async-safe calls after it.
    const std::vector<std::string> env = changedEnvironment(envChanges);
    std::vector<char*> envp;
    for (const std::string& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    std::vector<char*> argv = {const_cast<char*>(path.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(outPipe[0]);
        close(outPipe[1]);
        close(errPipe[0]);
        close(errPipe[1]);
        if (chdir(workDir.c_str()) != 0)
            _exit(126);
        execve(path.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    fcntl(outPipe[0], F_SETFL, O_NONBLOCK);
    fcntl(errPipe[0], F_SETFL, O_NONBLOCK);
    child.pid = pid;
    child.outFd = outPipe[0];
    child.errFd = errPipe[0];
    return true;
}

void drainOutput(ChildProcess& child)
{
    readAvailable(child.outFd, child.out);
    readAvailable(child.errFd, child.err);
}

bool waitForExit(ChildProcess& child, int timeoutMs)
{
    const long long deadline = nowMs() + timeoutMs;
    while (!child.finished) {
        drainOutput(child);
        const pid_t done = waitpid(child.pid, &child.waitStatus, WNOHANG);
        if (done == child.pid) {
            child.finished = true;
            break;
        }
        if (nowMs() > deadline)
            return false;
        sleepMs(10);
    }
    drainOutput(child);
    return true;
}

int exitCode(const ChildProcess& child)
{
    if (!child.finished || !WIFEXITED(child.waitStatus))
        return -1;
    return WEXITSTATUS(child.waitStatus);
}

void stopProcess(ChildProcess& child)
{
    if (child.pid > 0 && !child.finished) {
        kill(child.pid, SIGKILL);
        waitpid(child.pid, &child.waitStatus, 0);
        child.finished = true;
    }
    drainOutput(child);
    if (child.outFd >= 0)
        close(child.outFd);
    if (child.errFd >= 0)
        close(child.errFd);
    child.outFd = -1;
    child.errFd = -1;
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
