#include "gfx/imageFile.h"

char lastImageProblem[imageProblemSize] = "";

std::FILE* openImageFile(const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file != nullptr) {
        std::printf("\nImage file: '%s' found!", path);
        return file;
    }
    std::snprintf(lastImageProblem, sizeof lastImageProblem, "Image file: '%s' NOT found!", path);
    std::printf("\n%s", lastImageProblem);
    return nullptr;
}

bool readImage(std::FILE* file, const char* path, BmpImage& image)
{
    const char* reason = readBmpFile(file, image);
    if (reason == nullptr)
        return true;
    std::snprintf(lastImageProblem, sizeof lastImageProblem, "Image file: '%s' rejected: %s", path,
                  reason);
    std::printf("\n%s", lastImageProblem);
    return false;
}
