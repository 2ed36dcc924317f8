#include "gfx/fileRead.h"

#include <sys/stat.h>

#include <cstdlib>

char* readOpenFile(std::FILE* file, std::size_t* size)
{
    // A directory opens fine on this platform but has no meaningful size.
    struct stat status {};
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode))
        return nullptr;
    if (std::fseek(file, 0, SEEK_END) != 0)
        return nullptr;
    const long length = std::ftell(file);
    if (length < 0 || std::fseek(file, 0, SEEK_SET) != 0)
        return nullptr;
    char* buffer = static_cast<char*>(std::malloc(static_cast<std::size_t>(length) + 1));
    if (buffer == nullptr)
        return nullptr;
    const std::size_t got = std::fread(buffer, 1, static_cast<std::size_t>(length), file);
    if (std::ferror(file)) {
        std::free(buffer);
        return nullptr;
    }
    buffer[got] = '\0';
    *size = got;
    return buffer;
}
