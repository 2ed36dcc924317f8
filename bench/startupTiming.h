#pragma once

#include <string>

#include "bench/benchStats.h"

struct StartupTimes {
    double window = 0;       // toolkit and window
    double versionCheck = 0; // extension loader and the OpenGL 2.0 check
    double renderState = 0;
    double programs = 0;     // the five shader programs
    double images = 0;       // the four 2D images
    double cubeMap = 0;
    double units = 0;        // binding units 2, 1 and 0
    double shown = 0;        // events until the window's first reshape
    double firstFrame = 0;
    double total = 0;        // from the start of main to the first frame shown
    bool openGl20 = false;
    std::string console;     // what start-up printed
};

// Runs the program's start-up stage by stage, as runProgram does, without
// entering the event loop, and draws the first frame.
StartupTimes runTimedStartup(BenchClock::time_point processStart, int* argc, char** argv);
