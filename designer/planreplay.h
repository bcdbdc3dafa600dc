#pragma once

#include <optional>
#include <random>
#include <vector>

#include "designer/handprofile.h"
#include "designer/passwatch.h"
#include "headless/inputevent.h"
#include "play/form1.h"

// How a plan played out from the standard start of a level.
struct ReplayOutcome {
    bool reached = false;  // the hand, with every ball kept and no bar passed through
    std::optional<Passage> passage;
    long ticks = 0;  // frame ticks played
};

// Plays the events of a plan, one tick at a time, from the standard start of level `level`,
// watching the ball after every event; stops at the hand or at the first failure.
ReplayOutcome replayPlan(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                         const std::vector<InputEvent>& events);

// The plan with every pointer action landing off by up to the profile's pixels on each axis and
// late by up to its ticks, as the draw has them; the timers keep their ticks.
std::vector<InputEvent> jittered(const std::vector<InputEvent>& events, const HandProfile& profile,
                                 unsigned draw);

// In how many of `runs` jittered replays, drawn from `firstDraw` on, the plan still reaches the
// hand; `ticks` grows by the ticks they played. Once more than `mostMisses` have missed it, the
// rest are left unplayed.
int jitteredFinishes(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                     const std::vector<InputEvent>& events, const HandProfile& profile,
                     unsigned firstDraw, int runs, long& ticks, int mostMisses = 1 << 30);

// Draws from 0 to `most`, without a distribution whose numbers differ between libraries.
int drawUpTo(std::mt19937& random, int most);

// The random draws of the replays that make a plan's margin, and of those that check it has some to
// spare.
inline constexpr unsigned MarginDraw = 1;
inline constexpr unsigned SpareDraw = 2000;
