#pragma once

#include <string>

// Writes an 8-bit RGB image, rows top first, as a PNG at `path`. The bytes go
// to a temporary file beside it that is renamed over `path` only once
// complete, so a failed write never leaves half a file under that name.
// Empty on success, otherwise why it failed (the system's reason).
std::string writePng(const std::string& path, int width, int height, const unsigned char* rgb);
