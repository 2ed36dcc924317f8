#pragma once

#include <cstddef>
#include <cstdio>
#include <vector>

// A decoded image: RGBA bytes, rows bottom-up as OpenGL expects them.
struct BmpImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
};

// Decodes an uncompressed 24-bit bottom-up BMP held in memory. Returns null on
// success, otherwise a short reason why the bytes were refused, and then
// leaves `image` empty.
const char* decodeBmp(const unsigned char* bytes, std::size_t size, BmpImage& image);

// Reads an open file whole and decodes it; same result as decodeBmp.
const char* readBmpFile(std::FILE* file, BmpImage& image);
