#pragma once

#include <vector>

#include "designer/levelchecks.h"

// Where the ball of the level at a place of the list stands still in a first try, if it does;
// remembered for the level as it stands, since finding out plays it.
std::optional<Standstill> standstillOf(const LevelDocument& document, LevelIndex index);
// The findings the editor shows with the level at a place of the list: the level's own, the
// game's refusal of the whole file with the level whose first key decides it, and a ball that
// stands still in play.
std::vector<Finding> levelFindings(const LevelDocument& document, LevelIndex index);
// Those about the file alone: the levels the game plays that it lacks.
std::vector<Finding> fileFindings(const LevelDocument& document);
bool hasError(const std::vector<Finding>& findings);
