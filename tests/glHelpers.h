#pragma once

#include <GL/glew.h>

#include <array>
#include <string>

// Small read-back helpers for tests running against a real context.

using Rgba = std::array<int, 4>;

// Pixel at (x, y) from the top-left corner of the back buffer.
inline Rgba backBufferPixel(int x, int y, int height)
{
    unsigned char p[4] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2], p[3]};
}

inline std::string describe(const Rgba& c)
{
    return "(" + std::to_string(c[0]) + ", " + std::to_string(c[1]) + ", " + std::to_string(c[2]) +
           ", " + std::to_string(c[3]) + ")";
}
