#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// How long the game and a bare Qt window took on one desktop, from process start to their first
// window shown, one time per round.
struct FirstWindowFigures {
    std::string desktop;
    // Why the desktop was not measured; empty when it was.
    std::string skipped;
    std::vector<double> gameMs;
    std::vector<double> bareMs;
};

// The medians side by side with their ratio and the target it is held to, then the same as one
// JSON line. Returns whether every measured desktop held the target.
bool printFirstWindowReport(const std::vector<FirstWindowFigures>& desktops, std::ostream& out);
