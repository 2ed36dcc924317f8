#include "tests/e2e/growthSlope.h"

#include <algorithm>

double medianPairwiseSlope(const std::vector<Sample>& samples)
{
    std::vector<double> slopes;
    for (size_t i = 0; i < samples.size(); ++i)
        for (size_t j = i + 1; j < samples.size(); ++j) {
            const double dt = samples[j].seconds - samples[i].seconds;
            if (dt != 0)
                slopes.push_back((samples[j].value - samples[i].value) / dt);
        }
    if (slopes.empty())
        return 0;
    const size_t middle = slopes.size() / 2;
    std::nth_element(slopes.begin(), slopes.begin() + middle, slopes.end());
    if (slopes.size() % 2 == 1)
        return slopes[middle];
    const double upper = slopes[middle];
    return (*std::max_element(slopes.begin(), slopes.begin() + middle) + upper) / 2;
}

std::vector<Sample> samplesFrom(const std::vector<Sample>& samples, double fromSeconds)
{
    std::vector<Sample> later;
    for (const Sample& s : samples)
        if (s.seconds >= fromSeconds)
            later.push_back(s);
    return later;
}
