#include "gfx/imageFile.h"

std::FILE* openImageFile(const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    std::printf(file != nullptr ? "\nImage file: '%s' found!" : "\nImage file: '%s' NOT found!", path);
    return file;
}

bool readImage(std::FILE* file, const char* path, BmpImage& image)
{
    const char* reason = readBmpFile(file, image);
    if (reason != nullptr)
        std::printf("\nImage file: '%s' rejected: %s", path, reason);
    return reason == nullptr;
}
