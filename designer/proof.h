#pragma once

#include <string>

#include "play/form1.h"

// Plays a script for the scenario runner through the game's rules and says whether it proves
// that level `level` can be finished: it must start at the level's standard start, lose no ball,
// and end with the hand reached and the level's bonus paid. When it does not, `why` says why.
bool provesLevel(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                 const std::string& script, std::string& why);
