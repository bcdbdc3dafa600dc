#pragma once

#include <string>
#include <vector>

#include "designer/handprofile.h"
#include "headless/inputevent.h"

// What in a plan a hand of the profile could not do, in plain words, each with the tick it comes
// at; empty when nothing: moves too fast or two before one tick, another button than the left, a
// second start click, a grab too short or too soon after the last, the countdown left out too
// long, or anything else than the mouse.
std::vector<std::string> handFaults(const std::vector<InputEvent>& events,
                                    const HandProfile& profile);
