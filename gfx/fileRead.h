#pragma once

#include <cstddef>
#include <cstdio>

// Reads the rest of an open regular file into a new buffer with one NUL byte
// after the data; the caller frees it with std::free. `size` receives the
// bytes actually read, which text mode may make fewer than the file's size.
// Null when the file cannot be sized or read (a directory, say).
char* readOpenFile(std::FILE* file, std::size_t* size);
