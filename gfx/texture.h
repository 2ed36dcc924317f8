#pragma once

// A repeating, mipmapped 2D texture read from a BMP file.
class Texture {
public:
    int id = -1;

    // The new texture name, or -1 when the file is missing or refused.
    int load(const char* path);
    void bind() const;
};
