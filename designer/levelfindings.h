#pragma once

#include <vector>

#include "designer/levelchecks.h"

// The findings the editor shows with the level at a place of the list: the level's own, and the
// game's refusal of the whole file with the level whose first key decides it.
std::vector<Finding> levelFindings(const LevelDocument& document, LevelIndex index);
// Those about the file alone: the levels the game plays that it lacks.
std::vector<Finding> fileFindings(const LevelDocument& document);
bool hasError(const std::vector<Finding>& findings);
