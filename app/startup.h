#pragma once

// Initialises the toolkit and opens the "Shaders" window, 800 x 600 unless
// asked otherwise.
void openWindow(int* argc, char** argv, int width = 800, int height = 600);
void registerCallbacks();
// Loads the extensions and reports whether OpenGL 2.0 is there.
bool checkOpenGl20();
// The whole start-up, then the event loop; ends the process with status 1
// when OpenGL 2.0 is missing. A bad command line, or --help, ends it before
// any window opens, with status 2 or 0.
int runProgram(int argc, char** argv);
