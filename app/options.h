#pragma once

#include <string>

// What the command line asks for beyond the plain start; the defaults are the
// plain start itself.
struct Options {
    int mode = 0;
    bool wireframe = false;
    int width = 800;
    int height = 600;
    // Frames to draw before ending with status 0; 0 draws until Esc.
    int frames = 0;
    // Where the last frame drawn goes as a PNG; empty for none.
    std::string screenshot;
    bool watch = false;
};

enum class CommandLineOutcome { run, help, error };

struct CommandLine {
    Options options;
    CommandLineOutcome outcome = CommandLineOutcome::run;
    // One line naming the option and what is wrong with it, without a line end.
    std::string error;
};

// Reads the program's own "--" options and takes them out of argv, leaving
// everything else (the toolkit's X options such as -display) for the toolkit.
// Stops at --help or at the first bad option.
CommandLine parseCommandLine(int* argc, char** argv);

// One line per option, each ending with a line end.
extern const char usageText[];

// Prints the help on stdout or the error and the usage on stderr; the exit
// status that goes with it (0 or 2).
int reportCommandLine(const CommandLine& commandLine);
