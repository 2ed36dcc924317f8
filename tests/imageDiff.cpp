// Says how a picture differs from another, as the image tests count it:
//   imageDiff FRESH.png REFERENCE.png
// Status 0 when within the image tests' tolerance, 1 when not, 2 when a file cannot be read.
#include <cstdio>

#include "tests/imageCompare.h"
#include "tests/imageTolerance.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: imageDiff FRESH.png REFERENCE.png\n");
        return 2;
    }
    RgbImage fresh, reference;
    for (int i = 1; i <= 2; ++i)
        if (!readPng(argv[i], i == 1 ? fresh : reference)) {
            std::fprintf(stderr, "imageDiff: cannot read '%s' as a PNG\n", argv[i]);
            return 2;
        }
    const ImageDifference d = compareImages(fresh, reference, imageTestTolerance);
    if (!d.sameSize) {
        std::printf("size %dx%d, was %dx%d\n", fresh.width, fresh.height, reference.width,
                    reference.height);
        return 1;
    }
    ImageTolerance wholePicture = imageTestTolerance;
    wholePicture.skipTopRows = 0;
    const int inTopRows = compareImages(fresh, reference, wholePicture).changedPixels - d.changedPixels;
    std::printf("%d of %d pixels changed, %d beyond the tolerance (channel %d), largest channel "
                "difference %d; %d changed in the top %d rows, which the tests leave out\n",
                d.changedPixels, d.comparedPixels, d.differingPixels, imageTestTolerance.channel,
                d.largestChannel, inTopRows, imageTestTolerance.skipTopRows);
    return withinTolerance(d, imageTestTolerance) ? 0 : 1;
}
