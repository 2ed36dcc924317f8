#pragma once

#include <string>
#include <vector>

// The console a start should print, built from the files a working directory holds.

extern const char* const shaderNames[5];
extern const char* const flatTextureNames[4];
extern const char* const cubeFaceNames[6];

// Literal text, or the driver's link message when a program lacks a shader.
struct TranscriptPiece {
    std::string text;
    bool driverLog = false;
};

std::vector<TranscriptPiece> expectedTranscript(const std::string& workDir);
// Empty when `actual` matches; otherwise where and how it departs.
std::string transcriptMismatch(const std::vector<TranscriptPiece>& expected, const std::string& actual);
// Length of the shortest output that can match.
size_t minimumLength(const std::vector<TranscriptPiece>& expected);

// A fresh directory under /tmp, removed with everything in it by the destructor.
struct ScratchDir {
    std::string path;
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
};

// A valid 24-bit BMP of one colour, with the 40-byte header.
void writeBmp(const std::string& path, int width, int height, unsigned char red,
              unsigned char green, unsigned char blue);
// The ten images the program reads, written as small valid BMPs.
void writeAllTextures(const std::string& workDir);
// Copies the project's shaders/ (when it is there) into `workDir`.
void copyProjectShaders(const std::string& workDir);
