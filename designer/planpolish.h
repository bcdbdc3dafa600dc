#pragma once

#include <vector>

#include "designer/handprofile.h"
#include "headless/inputevent.h"
#include "play/form1.h"

// A plan to the hand after polishing, and how many of the replays that weighed it finish.
struct PolishedPlan {
    std::vector<InputEvent> events;
    int sure = 0;
    long ticks = 0;  // frame ticks the polishing played
};

// Replays of a plan that polishing judges its changes by, and those that weigh the polished plan
// against the plan it began with; on draws apart from each other, the search's and the proof's.
inline constexpr unsigned PolishDraw = 3000;
inline constexpr int PolishReplays = 60;
inline constexpr unsigned CheckDraw = 4000;
inline constexpr int CheckReplays = 100;

// A way the search found is where a slip of the hand just works, seldom in the middle of what
// works: polishing moves stretches of the pointer's way a few pixels or a tick and keeps every
// change after which at least as many jittered replays still reach the hand, as long as the plan
// stays one the profile's hand can play and still reaches the hand unjittered. It plays about
// `budget` frame ticks, fewer once every replay finishes.
PolishedPlan polishPlan(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                        const std::vector<InputEvent>& events, const HandProfile& profile,
                        long budget);
