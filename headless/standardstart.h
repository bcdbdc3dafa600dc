#pragma once

#include "play/game.h"

// The standard start of a level, a design aid for trying out one level alone: the game waits for
// its start click as after a fresh start, with 1000 points and 2 balls, and that click lays out
// level `level`. For a game as the start-up leaves it.
void setUpStandardStart(Game& game, int32 level);
