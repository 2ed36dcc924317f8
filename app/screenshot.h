#pragma once

#include <string>
#include <vector>

// The back buffer, the frame about to be shown, as 8-bit RGB rows top first.
std::vector<unsigned char> readBackFrame(int width, int height);

// Writes the frame about to be shown, at the window's size, to `path` as a
// PNG. On failure says so in one line on stderr, naming the path and why.
bool saveScreenshot(const std::string& path);
