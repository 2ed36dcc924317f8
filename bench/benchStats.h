#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// The value below which `fraction` of the values lie (nearest rank).
inline double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const double rank = fraction * static_cast<double>(values.size() - 1);
    return values[static_cast<std::size_t>(rank + 0.5)];
}

using BenchClock = std::chrono::steady_clock;

inline double msBetween(BenchClock::time_point from, BenchClock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}
