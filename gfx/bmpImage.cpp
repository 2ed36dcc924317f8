#include "gfx/bmpImage.h"

#include <cstdint>
#include <cstdlib>

#include "gfx/fileRead.h"

namespace {

const std::size_t fileHeaderSize = 14;
const std::uint32_t minInfoHeaderSize = 40;
const std::int32_t maxSide = 16384;

std::uint32_t u32(const unsigned char* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t u16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

const char* checkHeaders(const unsigned char* bytes, std::size_t size, std::int32_t& width,
                         std::int32_t& height, std::uint64_t& pixelOffset)
{
    if (size < fileHeaderSize + minInfoHeaderSize)
        return "too short for a BMP header";
    if (bytes[0] != 'B' || bytes[1] != 'M')
        return "no BM signature";
    const std::uint32_t infoSize = u32(bytes + 14);
    if (infoSize < minInfoHeaderSize)
        return "info header shorter than 40 bytes";
    if (u16(bytes + 28) != 24)
        return "not 24 bits per pixel";
    if (u32(bytes + 30) != 0)
        return "compressed (only uncompressed images are read)";
    width = static_cast<std::int32_t>(u32(bytes + 18));
    height = static_cast<std::int32_t>(u32(bytes + 22));
    if (width <= 0 || height <= 0)
        return "width and height must be positive (top-down images are not read)";
    if (width > maxSide || height > maxSide)
        return "wider or taller than 16384 pixels";
    pixelOffset = u32(bytes + 10);
    if (pixelOffset < fileHeaderSize + infoSize)
        return "pixel data overlaps the headers";
    return nullptr;
}

}  // namespace

const char* decodeBmp(const unsigned char* bytes, std::size_t size, BmpImage& image)
{
    image = BmpImage();
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint64_t offset = 0;
    if (const char* reason = checkHeaders(bytes, size, width, height, offset))
        return reason;

    // Rows are padded to a multiple of 4 bytes; the last row's padding may
    // be missing, its pixels may not.
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * 3;
    const std::uint64_t stride = (rowBytes + 3) / 4 * 4;
    if (offset + stride * (static_cast<std::uint64_t>(height) - 1) + rowBytes > size)
        return "pixel data truncated";

    image.width = width;
    image.height = height;
    image.rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    unsigned char* out = image.rgba.data();
    for (std::int32_t row = 0; row < height; ++row) {
        const unsigned char* in = bytes + offset + stride * static_cast<std::uint64_t>(row);
        for (std::int32_t column = 0; column < width; ++column, in += 3, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = 255;
        }
    }
    return nullptr;
}

const char* readBmpFile(std::FILE* file, BmpImage& image)
{
    std::size_t size = 0;
    char* bytes = readOpenFile(file, &size);
    if (bytes == nullptr) {
        image = BmpImage();
        return "not a regular file, or unreadable";
    }
    const char* reason = decodeBmp(reinterpret_cast<unsigned char*>(bytes), size, image);
    std::free(bytes);
    return reason;
}
