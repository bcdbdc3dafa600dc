#pragma once

#include <string>

// How hard a proved level is for a person, from what its proof asks: how long, how many grabs of
// the red bar, and how many of the jittered replays still finish.
struct LevelFigures {
    double seconds = 0;
    int grabs = 0;
    int margin = 0;
    int replays = 0;
};

// leicht, mittel, schwer or sehr schwer.
std::string difficultyWord(const LevelFigures& figures);
