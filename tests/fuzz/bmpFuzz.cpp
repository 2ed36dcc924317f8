// Feeds arbitrary bytes to the BMP decoder. The sanitizers catch any read or
// write outside a buffer; the checks below catch a decoder that accepts a
// file yet hands back an image of the wrong shape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gfx/bmpImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    BmpImage image;
    const char* reason = decodeBmp(data, size, image);
    if (reason == nullptr) {
        const std::size_t expected = static_cast<std::size_t>(image.width) * image.height * 4;
        if (image.width <= 0 || image.height <= 0 || image.rgba.size() != expected)
            std::abort();
        for (std::size_t i = 3; i < expected; i += 4) {
            if (image.rgba[i] != 255)
                std::abort();
        }
    } else if (image.width != 0 || image.height != 0 || !image.rgba.empty()) {
        std::abort();
    }
    return 0;
}
