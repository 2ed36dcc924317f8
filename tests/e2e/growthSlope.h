#pragma once

#include <vector>

// One reading of a quantity over time.
struct Sample {
    double seconds = 0;
    double value = 0;
};

// The Theil-Sen slope in value per second: the median of the slopes between
// every two samples taken at different times. A few outliers (the allocator
// handing memory back, then taking it again) do not move it; 0 with fewer
// than two distinct times.
double medianPairwiseSlope(const std::vector<Sample>& samples);
// The samples taken from `fromSeconds` on.
std::vector<Sample> samplesFrom(const std::vector<Sample>& samples, double fromSeconds);
