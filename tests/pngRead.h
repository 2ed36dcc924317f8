#pragma once

#include <string>
#include <vector>

// A PNG read back as 8-bit RGB, rows top first, whatever its colour type.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// False when the file is missing or not a PNG libpng can read.
bool readPng(const std::string& path, RgbImage& image);
