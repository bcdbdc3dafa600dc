#pragma once

#include <string>

#include "designer/solver.h"

// What proving a level came to. Only a playthrough that the runner has played again, from the
// level's standard start to its hand, proves anything.
struct LevelProof {
    enum Verdict {
        Proved,
        Refused,         // the game refuses the level file
        NotFound,        // the search found no way within its limit
        WrongStart,      // the script does not begin at the level's standard start
        NotPlayersLine,  // a line of the script is nothing a player does
        TimersWrong,     // the countdown does not step as often as its real timer would
        HandNotReached,  // played again, the script does not reach the level's hand
    };

    Verdict verdict = NotFound;
    int32 level = 0;
    Playthrough playthrough;  // what the search found, if it searched
    std::string script;       // the playthrough as a script for the scenario runner
    int line = 0;             // the script's line that is nothing a player does

    bool proved() const { return verdict == Proved; }
};

// Plays a script for the scenario runner through the game's rules and judges whether it proves
// that level `level` can be finished: it must start at the level's standard start, hold only what
// a player does, let the countdown step after every 31 ticks at the latest as the real timers do,
// lose no ball, and reach the hand of that level, paying its bonus.
LevelProof checkScript(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                       const std::string& script);

// The one way a level is proved: the search, its find written as a script, and that script judged
// by playing it again.
LevelProof proveLevel(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                      const SolverLimits& limits = {}, const SolverProgress& progress = {});
