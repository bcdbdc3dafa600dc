#pragma once

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "designer/handprofile.h"
#include "headless/inputevent.h"
#include "play/form1.h"

// Ticks a choice of the hand holds before the next one, in the order a proof tries them. The
// ball's way from one choice to the next is chaotic, so a way the search misses at one pace it
// often finds at another.
inline constexpr int Paces[] = {12, 16, 24, 8, 20};

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
    int pace = Paces[0];  // ticks a choice of the hand holds
    // How many of the paces a proof tries, from the first, until one gives a way that holds; each
    // pace has the limits above to itself.
    int paces = int(std::size(Paces));
};

// A way through a level from its standard start to the hand, as a player could play it; or, when
// none was found, the attempt that came nearest.
struct Playthrough {
    bool solved = false;
    int sure = 0;                    // of the polishing's jittered replays, how many finished
    std::vector<InputEvent> events;  // after the standard start: the start click first
    long ticks = 0;                  // frame ticks from the start click to the hand
    long searchTicks = 0;  // what the search and the polishing played; for a proof, at every pace
};

// Told how much of the limit the search has used, from 0 to 1; answers false to stop it.
using SolverProgress = std::function<bool(double used)>;

// Searches for a playthrough of level `level` of the level file the finder names.
Playthrough solveLevel(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                       const SolverLimits& limits = {}, const SolverProgress& progress = {});

// The playthrough as a script for the scenario runner: "level N", then its events.
std::string playthroughScript(int32 level, const Playthrough& playthrough);
