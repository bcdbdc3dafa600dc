#pragma once

#include <functional>
#include <string>
#include <vector>

#include "designer/handprofile.h"
#include "headless/inputevent.h"
#include "play/form1.h"

// How much the search may do. Both are counts, never times, so that a search finds the same
// playthrough on any machine.
struct SolverLimits {
    long searchTicks = 14'000'000;  // frame ticks played in all, over every branch tried
    int beamWidth = 40;             // positions carried on from one decision to the next
    bool redBar = true;             // whether the player may take the red bar, or only steer
    HandProfile hand;               // what the player's hand can do, and how sure a plan must be
    // Copies of the game each branch carries, played as a less steady hand would: a way that a
    // slip breaks falls behind one that holds. Their ticks count against the limit too.
    int shadows = 20;
    // Frame ticks the found way's polishing may play on top, in its jittered replays.
    long polishTicks = 2'500'000;
};

// A way through a level from its standard start to the hand, as a player could play it; or, when
// none was found, the attempt that came nearest.
struct Playthrough {
    bool solved = false;
    int sure = 0;                    // of the polishing's jittered replays, how many finished
    std::vector<InputEvent> events;  // after the standard start: the start click first
    long ticks = 0;                  // frame ticks from the start click to the hand
    long searchTicks = 0;            // what the search and the polishing played
};

// Told how much of the limit the search has used, from 0 to 1; answers false to stop it.
using SolverProgress = std::function<bool(double used)>;

// Searches for a playthrough of level `level` of the level file the finder names.
Playthrough solveLevel(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                       const SolverLimits& limits = {}, const SolverProgress& progress = {});

// The playthrough as a script for the scenario runner: "level N", then its events.
std::string playthroughScript(int32 level, const Playthrough& playthrough);
