#include "tests/e2e/growthSlope.h"

#include <gtest/gtest.h>

namespace {

std::vector<Sample> line(int count, double slope, double start)
{
    std::vector<Sample> samples;
    for (int i = 0; i < count; ++i)
        samples.push_back({static_cast<double>(i), start + slope * i});
    return samples;
}

}  // namespace

TEST(GrowthSlope, IsTheSlopeOfSamplesOnALineInEitherDirection)
{
    for (double slope : {0.0, 2.5, -4.0}) {
        SCOPED_TRACE(slope);
        EXPECT_DOUBLE_EQ(medianPairwiseSlope(line(30, slope, 1000)), slope);
    }
    // Six pairs, sloped 0, 0, 1, 1.5, 1.5 and 3: the mean of the middle two.
    EXPECT_DOUBLE_EQ(medianPairwiseSlope({{0, 0}, {1, 0}, {2, 3}, {3, 3}}), 1.25);
}

TEST(GrowthSlope, IgnoresSwingsThatLeastSquaresWouldFollow)
{
    // A flat size with a few big drops and spikes, one of them at the very end.
    std::vector<Sample> flat = line(30, 0, 100000);
    flat[5].value -= 4000;
    flat[17].value += 6000;
    flat[29].value += 8000;
    EXPECT_DOUBLE_EQ(medianPairwiseSlope(flat), 0.0);
    // A steady leak under the same swings is still seen at its own rate.
    std::vector<Sample> leak = line(30, 50, 100000);
    leak[5].value -= 4000;
    leak[17].value += 6000;
    leak[29].value += 8000;
    EXPECT_DOUBLE_EQ(medianPairwiseSlope(leak), 50.0);
}

TEST(GrowthSlope, IsZeroWithoutTwoDistinctTimes)
{
    EXPECT_EQ(medianPairwiseSlope({}), 0.0);
    EXPECT_EQ(medianPairwiseSlope({{3, 10}}), 0.0);
    EXPECT_EQ(medianPairwiseSlope({{3, 10}, {3, 50}}), 0.0);
}

TEST(GrowthSlope, KeepsTheSamplesFromAGivenTimeOn)
{
    const std::vector<Sample> later = samplesFrom(line(10, 1, 0), 4.0);
    ASSERT_EQ(later.size(), 6u);
    EXPECT_EQ(later.front().seconds, 4.0);
    EXPECT_EQ(later.back().seconds, 9.0);
}
