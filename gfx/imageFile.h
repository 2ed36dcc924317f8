#pragma once

#include <cstdio>

#include "gfx/bmpImage.h"

// The last "NOT found!" or "rejected" line printed, without its newline.
const int imageProblemSize = 256;
extern char lastImageProblem[imageProblemSize];

// Opens an image for binary reading and reports it on the console as found
// or not found. Null when it cannot be opened.
std::FILE* openImageFile(const char* path);

// Reads and decodes the opened image; a refused file is reported with its
// reason on a line of its own. The file stays open.
bool readImage(std::FILE* file, const char* path, BmpImage& image);
