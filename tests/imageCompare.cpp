#include "tests/imageCompare.h"

#include <algorithm>
#include <cstdlib>

namespace {

int largestChannelDifference(const unsigned char* a, const unsigned char* b)
{
    int largest = 0;
    for (int c = 0; c < 3; ++c)
        largest = std::max(largest, std::abs(a[c] - b[c]));
    return largest;
}

}  // namespace

ImageDifference compareImages(const RgbImage& fresh, const RgbImage& reference,
                              const ImageTolerance& tolerance)
{
    ImageDifference d;
    d.sameSize = fresh.width == reference.width && fresh.height == reference.height &&
                 fresh.rgb.size() == reference.rgb.size();
    if (!d.sameSize)
        return d;
    for (int y = std::max(0, tolerance.skipTopRows); y < fresh.height; ++y)
        for (int x = 0; x < fresh.width; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * fresh.width + x) * 3;
            const int off = largestChannelDifference(&fresh.rgb[i], &reference.rgb[i]);
            ++d.comparedPixels;
            d.changedPixels += off > 0;
            d.differingPixels += off > tolerance.channel;
            d.largestChannel = std::max(d.largestChannel, off);
        }
    return d;
}

bool withinTolerance(const ImageDifference& difference, const ImageTolerance& tolerance)
{
    return difference.sameSize &&
           difference.differingPixels <= tolerance.share * difference.comparedPixels;
}

RgbImage differencePicture(const RgbImage& fresh, const RgbImage& reference,
                           const ImageTolerance& tolerance)
{
    RgbImage picture = reference;
    for (int y = 0; y < reference.height; ++y)
        for (int x = 0; x < reference.width; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * reference.width + x) * 3;
            const int off = largestChannelDifference(&fresh.rgb[i], &reference.rgb[i]);
            unsigned char* out = &picture.rgb[i];
            const int grey = (reference.rgb[i] + reference.rgb[i + 1] + reference.rgb[i + 2]) / 12;
            out[0] = out[1] = out[2] = static_cast<unsigned char>(grey);
            if (y < tolerance.skipTopRows)
                out[1] = static_cast<unsigned char>(grey + 40);
            else if (off > tolerance.channel)
                out[0] = 255;
            else if (off > 0)
                out[2] = 255;
        }
    return picture;
}
