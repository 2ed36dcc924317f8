#include "gfx/pngFile.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {

struct PngFailure {
    std::jmp_buf jump;
    const char* message = nullptr;
};

void onPngError(png_structp png, png_const_charp message)
{
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    failure->message = message;
    std::longjmp(failure->jump, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

// libpng reports errors by jumping back here, so nothing with a destructor
// lives in this function and what the jump changes lives in the caller's frame.
const char* encode(std::FILE* file, int width, int height, const unsigned char* rgb,
                   PngFailure* failure)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, failure, onPngError, onPngWarning);
    if (png == nullptr)
        return "out of memory";
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(failure->jump) != 0) {
        png_destroy_write_struct(&png, &info);
        return failure->message != nullptr ? failure->message : "out of memory";
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        png_write_row(png, rgb + rowBytes * static_cast<std::size_t>(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return nullptr;
}

}  // namespace

std::string writePng(const std::string& path, int width, int height, const unsigned char* rgb)
{
    if (width <= 0 || height <= 0)
        return "the image is empty";
    const std::string temporary = path + ".tmp-" + std::to_string(getpid());
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return std::strerror(errno);
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        const int error = errno;
        close(fd);
        unlink(temporary.c_str());
        return std::strerror(error);
    }
    PngFailure pngFailure;
    errno = 0;
    const char* failure = encode(file, width, height, rgb, &pngFailure);
    // A write that fails (the disk full, say) leaves the system's reason in errno.
    int error = failure != nullptr ? errno : 0;
    if (failure == nullptr && (std::fflush(file) != 0 || fsync(fileno(file)) != 0))
        error = errno;
    if (std::fclose(file) != 0 && failure == nullptr && error == 0)
        error = errno;
    if (failure == nullptr && error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (failure == nullptr && error == 0)
        return "";
    unlink(temporary.c_str());
    return error != 0 ? std::strerror(error) : failure;
}
