#include "app/screenshot.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstring>

#include "app/frame.h"
#include "gfx/pngFile.h"

std::vector<unsigned char> readBackFrame(int width, int height)
{
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    std::vector<unsigned char> bottomUp(rowBytes * static_cast<std::size_t>(height));
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    // Rows of three-byte pixels are packed tight, whatever the width.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);

    // OpenGL's rows start at the bottom; a picture's at the top.
    std::vector<unsigned char> topDown(bottomUp.size());
    for (int y = 0; y < height; ++y)
        std::memcpy(&topDown[rowBytes * static_cast<std::size_t>(y)],
                    &bottomUp[rowBytes * static_cast<std::size_t>(height - 1 - y)], rowBytes);
    return topDown;
}

bool saveScreenshot(const std::string& path)
{
    const std::vector<unsigned char> rgb = readBackFrame(windowWidth, windowHeight);
    const std::string error = writePng(path, windowWidth, windowHeight, rgb.data());
    if (!error.empty())
        std::fprintf(stderr, "shaders: cannot write the screenshot '%s': %s\n", path.c_str(),
                     error.c_str());
    return error.empty();
}
