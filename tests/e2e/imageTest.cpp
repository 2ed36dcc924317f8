// Every mode rendered by the real program, compared with its committed picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>

#include "gfx/pngFile.h"
#include "tests/e2e/programRun.h"
#include "tests/imageCompare.h"
#include "tests/imageTolerance.h"

namespace {

struct Picture {
    const char* name;
    std::vector<std::string> options;
};

// tools/references.sh renders the references with the same options.
const std::vector<std::string> renderOptions = {"--size", "320x240", "--frames", "3"};

const Picture pictures[] = {
    {"mode0", {"--mode", "0"}}, {"mode1", {"--mode", "1"}},
    {"mode2", {"--mode", "2"}}, {"mode3", {"--mode", "3"}},
    {"mode4", {"--mode", "4"}}, {"mode5", {"--mode", "5"}},
    {"wireframe", {"--mode", "0", "--wireframe"}},
};

// Names the case in ctest's list instead of dumping its bytes.
void PrintTo(const Picture& picture, std::ostream* out)
{
    *out << picture.name;
}

class ReferencePicture : public testing::TestWithParam<Picture> {};

}  // namespace

TEST_P(ReferencePicture, freshRenderMatchesIt)
{
    ASSERT_NE(testDisplay(), nullptr) << "no X display: set DISPLAY (the test script starts Xvfb)";
    const Picture& picture = GetParam();
    const std::string outDir = SHADERS_IMAGE_OUTPUT_DIR;
    mkdir(outDir.c_str(), 0755);
    const std::string freshPath = outDir + "/" + picture.name + ".png";
    const std::string diffPath = outDir + "/" + picture.name + "-difference.png";
    const std::string referencePath =
        std::string(SHADERS_SOURCE_DIR) + "/tests/images/" + picture.name + ".png";
    std::remove(freshPath.c_str());
    std::remove(diffPath.c_str());

    std::vector<std::string> args = picture.options;
    args.insert(args.end(), renderOptions.begin(), renderOptions.end());
    args.insert(args.end(), {"--screenshot", freshPath});
    ProgramRun run;
    ASSERT_TRUE(run.start(SHADERS_SOURCE_DIR, {}, args));
    ASSERT_TRUE(waitForExit(run.child, windowTimeoutMs)) << "still running; stderr:\n" << run.child.err;
    ASSERT_EQ(exitCode(run.child), 0) << run.child.err;

    RgbImage fresh, reference;
    ASSERT_TRUE(readPng(freshPath, fresh)) << freshPath;
    ASSERT_TRUE(readPng(referencePath, reference)) << referencePath;
    const ImageDifference d = compareImages(fresh, reference, imageTestTolerance);
    ASSERT_TRUE(d.sameSize) << freshPath << " is " << fresh.width << "x" << fresh.height
                            << ", " << referencePath << " " << reference.width << "x"
                            << reference.height;
    if (withinTolerance(d, imageTestTolerance)) {
        std::remove(freshPath.c_str());
        return;
    }
    const RgbImage diff = differencePicture(fresh, reference, imageTestTolerance);
    const std::string written = writePng(diffPath, diff.width, diff.height, diff.rgb.data());
    ADD_FAILURE() << picture.name << ": " << d.differingPixels << " of " << d.comparedPixels
                  << " pixels off by more than " << imageTestTolerance.channel
                  << " (allowed: " << static_cast<int>(imageTestTolerance.share * d.comparedPixels)
                  << "), largest channel difference " << d.largestChannel << "\n  fresh:      "
                  << freshPath << "\n  reference:  " << referencePath << "\n  difference: "
                  << (written.empty() ? diffPath : "not written: " + written)
                  << " (red: beyond the tolerance, blue: within it)\n"
                  << "If the change is intended: bash tools/references.sh";
}

INSTANTIATE_TEST_SUITE_P(EveryMode, ReferencePicture, testing::ValuesIn(pictures),
                         [](const testing::TestParamInfo<Picture>& param) {
                             return std::string(param.param.name);
                         });
