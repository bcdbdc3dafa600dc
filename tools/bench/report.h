#pragma once

#include <iosfwd>
#include <vector>

#include "tools/bench/runfigures.h"

// Prints the runs side by side with the targets they are held to, then all figures again as one
// JSON line. Returns whether every target held.
bool printReport(const std::vector<RunFigures>& runs, std::ostream& out);
