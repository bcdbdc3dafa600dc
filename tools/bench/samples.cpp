#include "tools/bench/samples.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace Samples {

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * double(values.size())));
    const std::size_t index = std::clamp<std::size_t>(rank, 1, values.size()) - 1;
    std::nth_element(values.begin(), values.begin() + index, values.end());
    return values[index];
}

Summary summarize(const std::vector<double>& values) {
    if (values.empty()) {
        return {};
    }
    const double n = double(values.size());
    const double mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
    double squares = 0;
    for (double v : values) {
        squares += (v - mean) * (v - mean);
    }
    return {int(values.size()), mean, std::sqrt(squares / n), percentile(values, 0.5),
            percentile(values, 0.99)};
}

TickFigures tickFigures(const std::vector<double>& startsMs, double periodMs) {
    std::vector<double> intervals;
    std::vector<double> deviations;
    int missed = 0;
    for (std::size_t i = 1; i < startsMs.size(); ++i) {
        const double interval = startsMs[i] - startsMs[i - 1];
        intervals.push_back(interval);
        deviations.push_back(std::abs(interval - periodMs));
        // A late tick stands in for the periods it swallowed; Qt's timers do not catch up.
        missed += std::max(0, int(std::lround(interval / periodMs)) - 1);
    }
    return {summarize(intervals), percentile(deviations, 0.99), missed};
}

}  // namespace Samples
