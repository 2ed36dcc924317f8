#include "tests/e2e/transcript.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

const char* const shaderNames[5] = {"osnovnoTexturiranje", "textureLights", "multitexturing",
                                    "sphereMapping", "cubeMapping"};
const char* const flatTextureNames[4] = {"amethys", "vok", "karirano", "spheremap"};
const char* const cubeFaceNames[6] = {"terrain_negative_x", "terrain_positive_x",
                                      "terrain_negative_y", "terrain_positive_y",
                                      "terrain_negative_z", "terrain_positive_z"};

namespace {

bool exists(const std::string& workDir, const std::string& relative)
{
    return fs::is_regular_file(fs::path(workDir) / relative);
}

void add(std::vector<TranscriptPiece>& pieces, const std::string& text)
{
    if (!pieces.empty() && !pieces.back().driverLog)
        pieces.back().text += text;
    else
        pieces.push_back({text, false});
}

// Mesa leaves the logs of a good compile and link empty.
bool addShaderBlock(std::vector<TranscriptPiece>& pieces, const std::string& workDir,
                    const std::string& file, const char* banner, const char* closing)
{
    add(pieces, banner);
    if (!exists(workDir, file)) {
        add(pieces, "File not found\n");
        return false;
    }
    add(pieces, closing);
    return true;
}

}  // namespace

std::vector<TranscriptPiece> expectedTranscript(const std::string& workDir)
{
    std::vector<TranscriptPiece> pieces;
    add(pieces, "Ready for OpenGL 2.0\n");
    for (const char* name : shaderNames) {
        const std::string base = std::string("shaders/") + name;
        const bool vertex = addShaderBlock(pieces, workDir, base + ".vert",
                                           "\n--Vertex Shader Info--\n", "\n----------------------\n");
        const bool fragment = addShaderBlock(pieces, workDir, base + ".frag",
                                             "\n--Fragment Shader Info--\n",
                                             "\n------------------------\n");
        add(pieces, "\n--Shader Program Info--\n");
        if (!vertex || !fragment)
            pieces.push_back({"", true});
        add(pieces, "\n-----------------------\n");
    }
    int nextId = 1;
    for (const char* name : flatTextureNames) {
        const std::string file = std::string("textures/") + name + ".bmp";
        if (exists(workDir, file))
            add(pieces, "\nImage file: '" + file + "' found!Texture loaded, ID: " + std::to_string(nextId++));
        else
            add(pieces, "\nImage file: '" + file + "' NOT found!");
    }
    // The cube map takes its name before it reads a face.
    const int cubeId = nextId;
    for (const char* name : cubeFaceNames) {
        const std::string file = std::string("textures/") + name + ".bmp";
        if (!exists(workDir, file)) {
            add(pieces, "\nImage file: '" + file + "' NOT found!");
            return pieces;
        }
        add(pieces, "\nImage file: '" + file + "' found!");
    }
    add(pieces, "Texture loaded, ID: " + std::to_string(cubeId));
    return pieces;
}

std::string transcriptMismatch(const std::vector<TranscriptPiece>& expected, const std::string& actual)
{
    size_t at = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const TranscriptPiece& piece = expected[i];
        if (piece.driverLog) {
            // The driver's message runs up to the next literal text.
            const std::string& next = i + 1 < expected.size() ? expected[i + 1].text : std::string();
            const size_t end = next.empty() ? actual.size() : actual.find(next, at);
            if (end == std::string::npos || end == at)
                return "no driver link message at byte " + std::to_string(at);
            at = end;
            continue;
        }
        if (actual.compare(at, piece.text.size(), piece.text) != 0)
            return "at byte " + std::to_string(at) + " expected\n[" + piece.text + "]\nbut got\n[" +
                   actual.substr(at, piece.text.size() + 40) + "]";
        at += piece.text.size();
    }
    if (at != actual.size())
        return "unexpected text after the end: [" + actual.substr(at) + "]";
    return "";
}

size_t minimumLength(const std::vector<TranscriptPiece>& expected)
{
    size_t length = 0;
    for (const TranscriptPiece& piece : expected)
        length += piece.driverLog ? 1 : piece.text.size();
    return length;
}

ScratchDir::ScratchDir()
{
    char pattern[] = "/tmp/shaders-e2e-XXXXXX";
    if (mkdtemp(pattern) != nullptr)
        path = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    if (!path.empty())
        fs::remove_all(path, ignored);
}

void writeBmp(const std::string& path, int width, int height, unsigned char red,
              unsigned char green, unsigned char blue)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const unsigned pixelBytes = static_cast<unsigned>(rowBytes * height);
    unsigned char header[54] = {'B', 'M'};
    auto put32 = [&header](int offset, unsigned value) {
        for (int i = 0; i < 4; ++i)
            header[offset + i] = static_cast<unsigned char>(value >> (8 * i));
    };
    put32(2, 54 + pixelBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(height));
    header[26] = 1;
    header[28] = 24;
    put32(34, pixelBytes);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(header), sizeof header);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const char bgr[3] = {static_cast<char>(blue), static_cast<char>(green), static_cast<char>(red)};
            file.write(bgr, 3);
        }
        for (int pad = width * 3; pad < rowBytes; ++pad)
            file.put('\0');
    }
}

void writeAllTextures(const std::string& workDir)
{
    fs::create_directories(fs::path(workDir) / "textures");
    unsigned char shade = 40;
    for (const char* name : flatTextureNames) {
        writeBmp(workDir + "/textures/" + name + ".bmp", 8, 8, shade, 200, 255 - shade);
        shade = static_cast<unsigned char>(shade + 50);
    }
    for (const char* name : cubeFaceNames) {
        writeBmp(workDir + "/textures/" + name + ".bmp", 8, 8, 255 - shade, shade, 120);
        shade = static_cast<unsigned char>(shade + 30);
    }
}

void copyProjectShaders(const std::string& workDir)
{
    const fs::path from = fs::path(SHADERS_SOURCE_DIR) / "shaders";
    fs::create_directories(fs::path(workDir) / "shaders");
    std::error_code ignored;
    if (fs::is_directory(from))
        fs::copy(from, fs::path(workDir) / "shaders", fs::copy_options::recursive, ignored);
}
