#pragma once

#include <string>
#include <vector>

// What the program's own reading costs, apart from what the driver does
// with the result: one line per resource file.
struct ReadCost {
    std::string path;
    int width = 0;   // images only
    int height = 0;
    bool ok = false;
    double readMs = 0;    // open, read whole, decode, close: median
    double decodeMs = 0;  // images only: decoding bytes already in memory
};

std::vector<ReadCost> measureImageReading(int repeats);
std::vector<ReadCost> measureShaderReading(int repeats);
