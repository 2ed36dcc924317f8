#include "gfx/bmpImage.h"

#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
const bool sanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
const bool sanitizedBuild = true;
#else
const bool sanitizedBuild = false;
#endif
#else
const bool sanitizedBuild = false;
#endif

// A BMP as the fixtures need it; every field can be set wrong on purpose.
struct BmpLayout {
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint32_t infoSize = 40;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t offset = 0;  // 0: right behind the headers
    std::size_t dropBytes = 0;  // cut from the end of the file
    unsigned char padByte = 0xEE;  // fills row padding and any gap before the pixels
    const char* signature = "BM";
};

void put16(std::vector<unsigned char>& out, std::size_t at, std::uint32_t v)
{
    out[at] = static_cast<unsigned char>(v);
    out[at + 1] = static_cast<unsigned char>(v >> 8);
}

void put32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t v)
{
    put16(out, at, v & 0xffff);
    put16(out, at + 2, v >> 16);
}

// Pixel (x, y) in file order has blue x*10+1, green y*10+2, red x+y+3.
unsigned char blueAt(int x, int) { return static_cast<unsigned char>(x * 10 + 1); }
unsigned char greenAt(int, int y) { return static_cast<unsigned char>(y * 10 + 2); }
unsigned char redAt(int x, int y) { return static_cast<unsigned char>(x + y + 3); }

std::vector<unsigned char> makeBmp(const BmpLayout& layout)
{
    const std::uint32_t offset = layout.offset != 0 ? layout.offset : 14 + layout.infoSize;
    const int rows = layout.height < 0 ? -layout.height : layout.height;
    const std::size_t stride = (static_cast<std::size_t>(layout.width > 0 ? layout.width : 0) * 3 + 3) / 4 * 4;
    const std::size_t headerEnd = 14 + (layout.infoSize < 40 ? 40 : layout.infoSize);
    const std::size_t end = offset + stride * static_cast<std::size_t>(rows);
    std::vector<unsigned char> out(end > headerEnd ? end : headerEnd, layout.padByte);
    std::memset(out.data(), 0, headerEnd);
    out[0] = static_cast<unsigned char>(layout.signature[0]);
    out[1] = static_cast<unsigned char>(layout.signature[1]);
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, offset);
    put32(out, 14, layout.infoSize);
    put32(out, 18, static_cast<std::uint32_t>(layout.width));
    put32(out, 22, static_cast<std::uint32_t>(layout.height));
    put16(out, 26, 1);
    put16(out, 28, layout.bitCount);
    put32(out, 30, layout.compression);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < layout.width; ++x) {
            unsigned char* p = &out[offset + stride * y + x * 3];
            p[0] = blueAt(x, y);
            p[1] = greenAt(x, y);
            p[2] = redAt(x, y);
        }
    }
    out.resize(out.size() - layout.dropBytes);
    return out;
}

// Decodes from a heap block of exactly the file's size, so a sanitizer build
// catches any read past its end.
const char* decodeExact(const std::vector<unsigned char>& file, BmpImage& image)
{
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[file.size() + (file.empty() ? 1 : 0)]);
    if (!file.empty())
        std::memcpy(bytes.get(), file.data(), file.size());
    return decodeBmp(bytes.get(), file.size(), image);
}

void expectPixels(const BmpImage& image, int width, int height)
{
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    ASSERT_EQ(image.rgba.size(), static_cast<std::size_t>(width * height * 4));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &image.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            const std::string where = "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            EXPECT_EQ(p[0], redAt(x, y)) << where;
            EXPECT_EQ(p[1], greenAt(x, y)) << where;
            EXPECT_EQ(p[2], blueAt(x, y)) << where;
            EXPECT_EQ(p[3], 255) << where;
        }
    }
}

TEST(BmpDecode, StoresBlueGreenRedAsRgbaWithOpaqueAlphaInFileOrder)
{
    BmpLayout layout;
    layout.width = 4;
    layout.height = 3;
    BmpImage image;
    ASSERT_EQ(decodeExact(makeBmp(layout), image), nullptr);
    expectPixels(image, 4, 3);
}

TEST(BmpDecode, SkipsRowPadding)
{
    // 3 and 5 pixels make rows of 9 and 15 bytes, padded to 12 and 16.
    for (int width : {1, 2, 3, 5, 7}) {
        SCOPED_TRACE("width " + std::to_string(width));
        BmpLayout layout;
        layout.width = width;
        layout.height = 3;
        BmpImage image;
        ASSERT_EQ(decodeExact(makeBmp(layout), image), nullptr);
        expectPixels(image, width, 3);
    }
}

TEST(BmpDecode, DecodesTheLargestAcceptedSideAcrossAndDown)
{
    // 16384 is the last size accepted (16385 is refused below), in either direction.
    for (const auto& size : {std::pair<int, int>{16384, 1}, std::pair<int, int>{1, 16384}}) {
        SCOPED_TRACE(std::to_string(size.first) + " x " + std::to_string(size.second));
        BmpLayout layout;
        layout.width = size.first;
        layout.height = size.second;
        BmpImage image;
        ASSERT_EQ(decodeExact(makeBmp(layout), image), nullptr);
        expectPixels(image, size.first, size.second);
    }
}

TEST(BmpDecode, AcceptsAFileWithoutTheLastRowsPadding)
{
    BmpLayout layout;
    layout.width = 3;
    layout.height = 2;
    layout.dropBytes = 3;
    BmpImage image;
    ASSERT_EQ(decodeExact(makeBmp(layout), image), nullptr);
    expectPixels(image, 3, 2);
}

TEST(BmpDecode, ReadsPixelsAtTheOffsetOfLongerHeaders)
{
    struct Case {
        std::uint32_t infoSize;
        std::uint32_t offset;
    };
    // V4 and V5 headers; a gap (a colour table, say) before the pixels.
    for (const Case& c : {Case{108, 122}, Case{124, 138}, Case{40, 54 + 16}, Case{124, 200}}) {
        SCOPED_TRACE("info header " + std::to_string(c.infoSize) + ", offset " + std::to_string(c.offset));
        BmpLayout layout;
        layout.width = 3;
        layout.height = 2;
        layout.infoSize = c.infoSize;
        layout.offset = c.offset;
        BmpImage image;
        ASSERT_EQ(decodeExact(makeBmp(layout), image), nullptr);
        expectPixels(image, 3, 2);
    }
}

TEST(BmpDecode, ReadsPlainFilesAsOneRunFromOffset54)
{
    // A 40-byte header, offset 54 and rows a multiple of 4 bytes: the pixels
    // are exactly the bytes from 54 on, three at a time.
    BmpLayout layout;
    layout.width = 8;
    layout.height = 5;
    const std::vector<unsigned char> file = makeBmp(layout);
    BmpImage image;
    ASSERT_EQ(decodeExact(file, image), nullptr);
    ASSERT_EQ(image.rgba.size(), 8u * 5u * 4u);
    for (std::size_t i = 0; i < 8 * 5; ++i) {
        EXPECT_EQ(image.rgba[i * 4 + 0], file[54 + i * 3 + 2]);
        EXPECT_EQ(image.rgba[i * 4 + 1], file[54 + i * 3 + 1]);
        EXPECT_EQ(image.rgba[i * 4 + 2], file[54 + i * 3 + 0]);
        EXPECT_EQ(image.rgba[i * 4 + 3], 255);
    }
}

TEST(BmpDecode, RejectsFilesItCannotReadWithTheirReason)
{
    struct Case {
        const char* name;
        BmpLayout layout;
        const char* reason;
    };
    auto with = [](auto change) {
        BmpLayout layout;
        change(layout);
        return layout;
    };
    const Case cases[] = {
        {"no signature", with([](BmpLayout& s) { s.signature = "MB"; }), "no BM signature"},
        {"core header", with([](BmpLayout& s) { s.infoSize = 12; s.offset = 54; }),
         "info header shorter than 40 bytes"},
        {"8 bits", with([](BmpLayout& s) { s.bitCount = 8; }), "not 24 bits per pixel"},
        {"32 bits", with([](BmpLayout& s) { s.bitCount = 32; }), "not 24 bits per pixel"},
        {"run-length", with([](BmpLayout& s) { s.compression = 1; }),
         "compressed (only uncompressed images are read)"},
        {"bit fields", with([](BmpLayout& s) { s.compression = 3; }),
         "compressed (only uncompressed images are read)"},
        {"zero width", with([](BmpLayout& s) { s.width = 0; }),
         "width and height must be positive (top-down images are not read)"},
        {"negative width", with([](BmpLayout& s) { s.width = -2; }),
         "width and height must be positive (top-down images are not read)"},
        {"zero height", with([](BmpLayout& s) { s.height = 0; }),
         "width and height must be positive (top-down images are not read)"},
        {"top-down", with([](BmpLayout& s) { s.height = -2; }),
         "width and height must be positive (top-down images are not read)"},
        {"most negative height", with([](BmpLayout& s) { s.height = INT32_MIN; s.dropBytes = 0; }),
         "width and height must be positive (top-down images are not read)"},
        {"too wide", with([](BmpLayout& s) { s.width = 16385; s.height = 1; }), "wider or taller than 16384 pixels"},
        {"too tall", with([](BmpLayout& s) { s.width = 1; s.height = 16385; }), "wider or taller than 16384 pixels"},
        {"offset inside the headers", with([](BmpLayout& s) { s.offset = 50; }), "pixel data overlaps the headers"},
        {"offset inside a V5 header", with([](BmpLayout& s) { s.infoSize = 124; s.offset = 54; }),
         "pixel data overlaps the headers"},
        {"one pixel byte missing", with([](BmpLayout& s) { s.width = 4; s.dropBytes = 1; }), "pixel data truncated"},
        {"padding and a pixel byte missing", with([](BmpLayout& s) { s.width = 3; s.dropBytes = 4; }),
         "pixel data truncated"},
        {"no pixels at all", with([](BmpLayout& s) { s.dropBytes = 16; }), "pixel data truncated"},
        {"offset past the end", with([](BmpLayout& s) { s.offset = 0xFFFFFFF0u; s.dropBytes = 0; }),
         "pixel data truncated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<unsigned char> file;
        if (c.layout.offset == 0xFFFFFFF0u || c.layout.height == INT32_MIN) {
            // Too big to build: only the headers, with the fields patched in.
            BmpLayout small = c.layout;
            small.offset = 0;
            small.height = 2;
            file = makeBmp(small);
            put32(file, 10, c.layout.offset != 0 ? c.layout.offset : 54);
            put32(file, 22, static_cast<std::uint32_t>(c.layout.height));
        } else {
            file = makeBmp(c.layout);
        }
        BmpImage image;
        image.width = 9;
        image.rgba.assign(16, 1);
        const char* reason = decodeExact(file, image);
        ASSERT_NE(reason, nullptr);
        EXPECT_STREQ(reason, c.reason);
        EXPECT_EQ(image.width, 0);
        EXPECT_EQ(image.height, 0);
        EXPECT_TRUE(image.rgba.empty());
    }
}

TEST(BmpDecode, RejectsAnythingShorterThanTheHeaders)
{
    BmpLayout layout;
    const std::vector<unsigned char> whole = makeBmp(layout);
    for (std::size_t size : {0, 1, 2, 14, 53}) {
        SCOPED_TRACE("size " + std::to_string(size));
        BmpImage image;
        const std::vector<unsigned char> part(whole.begin(), whole.begin() + static_cast<long>(size));
        EXPECT_STREQ(decodeExact(part, image), "too short for a BMP header");
    }
}

// A temporary file or directory that removes itself.
struct TempPath {
    std::string path;
    explicit TempPath(const char* pattern) : path(pattern) {}
    ~TempPath() { std::remove(path.c_str()); }
};

// A fixture image written to a new file under /tmp, removed with it.
struct TempBmpFile {
    TempPath file{""};

    TempBmpFile(int width, int height)
    {
        char pattern[] = "/tmp/bmpImageTestXXXXXX";
        const int fd = mkstemp(pattern);
        file.path = fd >= 0 ? pattern : "";
        if (fd < 0)
            return;
        BmpLayout layout;
        layout.width = width;
        layout.height = height;
        const std::vector<unsigned char> bytes = makeBmp(layout);
        if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            file.path.clear();
        close(fd);
    }
};

TEST(BmpReadFile, ReadsAFileWholeAndRefusesADirectory)
{
    const TempBmpFile bmp(5, 4);
    ASSERT_FALSE(bmp.file.path.empty()) << "could not write the fixture";
    std::FILE* f = std::fopen(bmp.file.path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    BmpImage image;
    EXPECT_EQ(readBmpFile(f, image), nullptr);
    std::fclose(f);
    expectPixels(image, 5, 4);

    char dirPattern[] = "/tmp/bmpImageTestDirXXXXXX";
    ASSERT_NE(mkdtemp(dirPattern), nullptr);
    TempPath dir(dirPattern);
    std::FILE* d = std::fopen(dir.path.c_str(), "rb");
    ASSERT_NE(d, nullptr) << "a directory opens for reading here";
    EXPECT_STREQ(readBmpFile(d, image), "not a regular file, or unreadable");
    EXPECT_TRUE(image.rgba.empty());
    std::fclose(d);
}

TEST(BmpReadFile, ReadsA256By256ImageWellUnderAMillisecond)
{
    if (sanitizedBuild)
        GTEST_SKIP() << "timing means nothing under the sanitizers";
    const TempBmpFile bmp(256, 256);
    ASSERT_FALSE(bmp.file.path.empty()) << "could not write the fixture";

    // The reader's own work is what counts here. On this kind of virtual
    // machine the first touch of fresh pages costs about 10 us each, and
    // glibc hands a 256 KiB buffer back to the kernel at every free, which
    // alone would take 0.7 ms; keep freed memory in the heap instead.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    // The best of several runs, so a busy machine does not decide it.
    double best = 1e9;
    for (int run = 0; run < 20; ++run) {
        std::FILE* f = std::fopen(bmp.file.path.c_str(), "rb");
        ASSERT_NE(f, nullptr);
        BmpImage image;
        const auto start = std::chrono::steady_clock::now();
        const char* reason = readBmpFile(f, image);
        const auto end = std::chrono::steady_clock::now();
        std::fclose(f);
        ASSERT_EQ(reason, nullptr);
        best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
    }
    EXPECT_LT(best, 1.0) << "best of 20 reads took " << best << " ms";
    RecordProperty("bestReadMicroseconds", static_cast<int>(best * 1000));
}

}  // namespace
