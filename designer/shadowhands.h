#pragma once

#include <memory>
#include <random>
#include <vector>

#include "designer/handprofile.h"
#include "designer/passwatch.h"
#include "headless/headlessgame.h"

// Copies of a game that a hand's events reach as a less steady hand would play them: every pointer
// action off by up to the profile's pixels and late by up to its ticks, each copy with its own
// draws. A search that keeps them beside its own game sees which ways a slip breaks.
class ShadowHands {
public:
    struct Shadow {
        Shadow(const TForm1::LevelFileOpener& openLevelFile, unsigned draw);
        HeadlessGame headless;
        PassWatch watch;
        std::mt19937 random;
        std::vector<InputEvent> late;  // pointer actions waiting for the next tick
        bool failed = false;
    };

    ShadowHands(const TForm1::LevelFileOpener& openLevelFile, const HandProfile& profile,
                int count);

    // Each copy at the standard start of the level, as the hand's own game.
    void startLevel(int32 level);
    // The state of the other's copies, one by one.
    void copyFrom(const ShadowHands& other);
    // Plays what the hand played, as each copy's hand lands it.
    void play(const InputEvent& event);

    const std::vector<std::unique_ptr<Shadow>>& copies() const { return shadows; }
    int failures() const;
    static bool reached(const Shadow& shadow);

private:
    void playIn(Shadow& shadow, const InputEvent& event);

    HandProfile profile;
    std::vector<std::unique_ptr<Shadow>> shadows;
};
