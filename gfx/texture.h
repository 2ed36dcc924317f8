#pragma once

// A repeating, mipmapped 2D texture read from a BMP file.
class Texture {
public:
    int id = -1;

    // The new texture name, or -1 when the file is missing or refused.
    int load(const char* path);
    // Reads the file again into the same texture object, bound on the active
    // unit (a new one when there was none); false, texels kept, when it is
    // missing or refused.
    bool reload(const char* path);
    void bind() const;
};
