#pragma once

#include <vector>

// Summaries of measured durations, all in milliseconds.
namespace Samples {

struct Summary {
    int count = 0;
    double mean = 0;
    double sd = 0;
    double median = 0;
    double p99 = 0;
};

// The value below which `fraction` of the samples lie, by the nearest-rank rule; 0 for none.
double percentile(std::vector<double> values, double fraction);
// Mean and population standard deviation, median and 99th percentile.
Summary summarize(const std::vector<double>& values);

// What a row of tick start times says about a timer that should fire every `periodMs`.
struct TickFigures {
    Summary interval;
    // 99th percentile of how far an interval strays from the period, either way.
    double p99Deviation = 0;
    // Periods that passed without a tick of their own.
    int missed = 0;
};
TickFigures tickFigures(const std::vector<double>& startsMs, double periodMs);

}  // namespace Samples
