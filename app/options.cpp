#include "app/options.h"

#include <cstdio>
#include <cstring>

const char usageText[] =
    "Usage: shaders [OPTION]... (X options such as -display go to the toolkit)\n"
    "  --mode N           start in shading mode N, 0 to 5 (S goes on from there)\n"
    "  --wireframe        start with polygons in wireframe (A switches back)\n"
    "  --size WxH         window size in pixels, each from 1 to 8192 (default 800x600)\n"
    "  --frames N         draw N frames (N >= 1), then end with status 0\n"
    "  --screenshot FILE  write the last frame drawn to FILE as a PNG (alone: one frame)\n"
    "  --watch            rebuild shaders and reload images when their files change\n"
    "  --help             print this help and end\n";

namespace {

const int maxWindowSide = 8192;

// Digits only: no sign, no spaces, nothing after. False on overflow past `limit`.
bool parseWhole(const char* text, int limit, int* value)
{
    if (*text == '\0')
        return false;
    long long result = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9')
            return false;
        result = result * 10 + (*c - '0');
        if (result > limit)
            return false;
    }
    *value = static_cast<int>(result);
    return true;
}

bool inRange(const char* text, int low, int high, int* value)
{
    return parseWhole(text, high, value) && *value >= low;
}

bool parseSize(const char* text, int* width, int* height)
{
    const char* x = std::strpbrk(text, "xX");
    if (x == nullptr)
        return false;
    const std::string w(text, x);
    return inRange(w.c_str(), 1, maxWindowSide, width) && inRange(x + 1, 1, maxWindowSide, height);
}

enum class Name { mode, wireframe, size, frames, screenshot, watch, help };

struct KnownOption {
    const char* name;
    Name id;
    bool takesValue;
};

const KnownOption knownOptions[] = {
    {"mode", Name::mode, true},          {"wireframe", Name::wireframe, false},
    {"size", Name::size, true},          {"frames", Name::frames, true},
    {"screenshot", Name::screenshot, true}, {"watch", Name::watch, false},
    {"help", Name::help, false},
};

const KnownOption* findOption(const std::string& name)
{
    for (const KnownOption& known : knownOptions)
        if (name == known.name)
            return &known;
    return nullptr;
}

// Empty when the value is good; otherwise what is wrong with it.
std::string applyValue(Name id, const char* value, Options& options)
{
    const std::string quoted = std::string("'") + value + "'";
    switch (id) {
    case Name::mode:
        if (!inRange(value, 0, 5, &options.mode))
            return "--mode takes a shading mode from 0 to 5, not " + quoted;
        break;
    case Name::size:
        if (!parseSize(value, &options.width, &options.height))
            return "--size takes WIDTHxHEIGHT, each from 1 to 8192, not " + quoted;
        break;
    case Name::frames:
        if (!inRange(value, 1, 2147483647, &options.frames))
            return "--frames takes a whole number from 1 up, not " + quoted;
        break;
    case Name::screenshot:
        if (*value == '\0')
            return "--screenshot takes a file name, not an empty one";
        options.screenshot = value;
        break;
    default:
        break;
    }
    return "";
}

}  // namespace

CommandLine parseCommandLine(int* argc, char** argv)
{
    CommandLine result;
    Options& options = result.options;
    bool framesGiven = false;
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        const char* arg = argv[i];
        if (std::strncmp(arg, "--", 2) != 0 || arg[2] == '\0') {
            argv[kept++] = argv[i];
            continue;
        }
        const char* equals = std::strchr(arg, '=');
        const std::string name = equals != nullptr ? std::string(arg + 2, equals) : arg + 2;
        const KnownOption* known = findOption(name);
        if (known == nullptr) {
            result.error = "unknown option '--" + name + "'";
        } else if (!known->takesValue && equals != nullptr) {
            result.error = "--" + name + " takes no value";
        } else if (known->takesValue) {
            const char* value = equals != nullptr ? equals + 1 : nullptr;
            // A following option is a forgotten value, not the value itself.
            if (value == nullptr && i + 1 < *argc && std::strncmp(argv[i + 1], "--", 2) != 0)
                value = argv[++i];
            if (value == nullptr)
                result.error = "--" + name + " needs a value";
            else
                result.error = applyValue(known->id, value, options);
            framesGiven = framesGiven || known->id == Name::frames;
        } else if (known->id == Name::wireframe) {
            options.wireframe = true;
        } else if (known->id == Name::watch) {
            options.watch = true;
        } else {
            result.outcome = CommandLineOutcome::help;
            return result;
        }
        if (!result.error.empty()) {
            result.outcome = CommandLineOutcome::error;
            return result;
        }
    }
    if (!options.screenshot.empty() && !framesGiven)
        options.frames = 1;
    argv[kept] = nullptr;
    *argc = kept;
    return result;
}

int reportCommandLine(const CommandLine& commandLine)
{
    if (commandLine.outcome == CommandLineOutcome::help) {
        std::fputs(usageText, stdout);
        return 0;
    }
    std::fprintf(stderr, "shaders: %s\n%s", commandLine.error.c_str(), usageText);
    return 2;
}
