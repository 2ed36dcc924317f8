#include "bench/readCost.h"

#include <cstdio>
#include <cstdlib>

#include "bench/benchStats.h"
#include "gfx/bmpImage.h"
#include "gfx/fileRead.h"

namespace {

const char* const imagePaths[] = {
    "textures/amethys.bmp",
    "textures/vok.bmp",
    "textures/karirano.bmp",
    "textures/spheremap.bmp",
    "textures/terrain_negative_x.bmp",
    "textures/terrain_positive_x.bmp",
    "textures/terrain_negative_y.bmp",
    "textures/terrain_positive_y.bmp",
    "textures/terrain_negative_z.bmp",
    "textures/terrain_positive_z.bmp",
};

const char* const shaderPaths[] = {
    "shaders/osnovnoTexturiranje.vert", "shaders/osnovnoTexturiranje.frag",
    "shaders/textureLights.vert",       "shaders/textureLights.frag",
    "shaders/multitexturing.vert",      "shaders/multitexturing.frag",
    "shaders/sphereMapping.vert",       "shaders/sphereMapping.frag",
    "shaders/cubeMapping.vert",         "shaders/cubeMapping.frag",
};

bool readImageOnce(const char* path, BmpImage& image)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    const bool ok = readBmpFile(file, image) == nullptr;
    std::fclose(file);
    return ok;
}

}  // namespace

std::vector<ReadCost> measureImageReading(int repeats)
{
    std::vector<ReadCost> costs;
    for (const char* path : imagePaths) {
        ReadCost cost;
        cost.path = path;
        BmpImage image;
        cost.ok = readImageOnce(path, image);
        cost.width = image.width;
        cost.height = image.height;
        if (cost.ok) {
            std::vector<double> reads;
            for (int i = 0; i < repeats; ++i) {
                const auto start = BenchClock::now();
                readImageOnce(path, image);
                reads.push_back(msBetween(start, BenchClock::now()));
            }
            cost.readMs = median(reads);

            std::FILE* file = std::fopen(path, "rb");
            std::size_t size = 0;
            char* bytes = file != nullptr ? readOpenFile(file, &size) : nullptr;
            if (file != nullptr)
                std::fclose(file);
            std::vector<double> decodes;
            for (int i = 0; bytes != nullptr && i < repeats; ++i) {
                const auto start = BenchClock::now();
                decodeBmp(reinterpret_cast<unsigned char*>(bytes), size, image);
                decodes.push_back(msBetween(start, BenchClock::now()));
            }
            std::free(bytes);
            cost.decodeMs = median(decodes);
        }
        costs.push_back(cost);
    }
    return costs;
}

std::vector<ReadCost> measureShaderReading(int repeats)
{
    std::vector<ReadCost> costs;
    for (const char* path : shaderPaths) {
        ReadCost cost;
        cost.path = path;
        std::vector<double> reads;
        for (int i = 0; i < repeats; ++i) {
            const auto start = BenchClock::now();
            std::FILE* file = std::fopen(path, "r");
            std::size_t size = 0;
            char* source = file != nullptr ? readOpenFile(file, &size) : nullptr;
            if (file != nullptr)
                std::fclose(file);
            reads.push_back(msBetween(start, BenchClock::now()));
            cost.ok = source != nullptr;
            std::free(source);
        }
        cost.readMs = median(reads);
        costs.push_back(cost);
    }
    return costs;
}
