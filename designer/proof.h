#pragma once

#include <optional>
#include <string>

#include "designer/difficulty.h"
#include "designer/passwatch.h"
#include "designer/solver.h"

// What proving a level came to. Only a playthrough that the runner has played again, from the
// level's standard start to its hand, proves anything; and it proves that a person can finish the
// level only when a hand of a person's profile can play it, the ball goes through no bar, and it
// keeps its margin when the hand slips.
struct LevelProof {
    enum Verdict {
        Proved,
        Refused,         // the game refuses the level file
        NotFound,        // the search found no way within its limit
        WrongStart,      // the script does not begin at the level's standard start
        NotPlayersLine,  // a line of the script is nothing a player does
        TimersWrong,     // the countdown does not step as often as its real timer would
        HandNotReached,  // played again, the script does not reach the level's hand
        NotAHand,        // the script asks more of the hand than the profile lets it do
        ThroughBar,      // the ball goes through a bar
        NoMargin,        // too few of the jittered replays reach the hand
        MarginByChance,  // too few of the wider set of them do
    };

    Verdict verdict = NotFound;
    int32 level = 0;
    Playthrough playthrough;  // what the search found, if it searched
    std::string script;       // the playthrough as a script for the scenario runner
    int line = 0;             // the script's line that is nothing a player does
    std::string handFault;    // what the hand could not do
    std::optional<Passage> passage;
    LevelFigures figures;  // time, grabs and margin, as far as the judging came
    int spare = 0;         // of the wider set of jittered replays, how many finished
    int spareReplays = 0;
    std::string difficulty;  // for a proved level
    bool personal = true;    // judged with a person's profile: only then is a proof a proof

    // Holds for the profile it was judged with.
    bool holds() const { return verdict == Proved; }
    bool proved() const { return holds() && personal; }
};

// Plays a script for the scenario runner through the game's rules and judges whether it proves
// that level `level` can be finished: it must start at the level's standard start, hold only what
// a player does, let the countdown step after every 31 ticks at the latest as the real timers do,
// lose no ball, and reach the hand of that level, paying its bonus; then ask nothing of the hand
// beyond the profile, never take the ball through a bar, and reach the hand as often as the
// profile asks when replayed jittered.
LevelProof checkScript(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                       const std::string& script, const HandProfile& profile = {});

// The runner's verdict alone, as above without the hand, the bars and the margin: whether a script
// that no person need be able to play reaches the hand.
LevelProof checkRun(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                    const std::string& script);

// The one way a level is proved: the search, its find written as a script, and that script judged
// by playing it again; at one pace after another, until one gives a proof.
LevelProof proveLevel(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                      const SolverLimits& limits = {}, const SolverProgress& progress = {});
