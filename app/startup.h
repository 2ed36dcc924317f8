#pragma once

// Initialises the toolkit and opens the 800 x 600 "Shaders" window.
void openWindow(int* argc, char** argv);
void registerCallbacks();
// Loads the extensions and reports whether OpenGL 2.0 is there.
bool checkOpenGl20();
// The whole start-up, then the event loop; ends the process with status 1
// when OpenGL 2.0 is missing.
int runProgram(int argc, char** argv);
