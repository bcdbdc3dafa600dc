#pragma once

#include "play/tickperiod.h"

// What a person at the mouse can do, and how sure a plan must be to count as theirs. The defaults
// are a person's; stricter or looser numbers are for looking into a level, and only a plan made
// and checked with the defaults is called a proof.
struct HandProfile {
    int maxStep = 15;  // pixels the pointer travels in a tick, along each axis
    int minHold = 4;   // ticks a grab of the red bar lasts at least
    int minGap = 8;    // ticks from a release to the next press at least
    int countdownEvery = TicksPerCountdown;  // ticks between countdown steps at most, as its timer
    // Replays in which every pointer action lands up to `jitterPixels` off on each axis and up to
    // `jitterTicks` late; a plan must reach the hand in `needed` of `replays` of them.
    int jitterPixels = 2;
    int jitterTicks = 1;
    int replays = 10;
    int needed = 8;
    // And, so that a check with random draws of its own finds that margin too, nine in ten of a
    // wider set of such replays: a way that finishes 85 in 100 passes 8 of 10 now and then, but
    // 180 of 200 seldom.
    int spareReplays = 200;
    int spareNeeded = 180;

    bool operator==(const HandProfile&) const = default;
    bool isPersons() const { return *this == HandProfile{}; }
};
