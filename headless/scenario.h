#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "headless/headlessgame.h"

// Plays a script of input events through the game's rules, on a game as the start-up windows
// leave it.
class Scenario : public HeadlessGame {
public:
    using HeadlessGame::HeadlessGame;

    // Runs every line; prints a dump at each "dump", and a last one at the end or when the game
    // asks to end. Returns the process exit code: 0, 2 for a line it cannot read, or 3 when the
    // game broke a rule that must always hold.
    int run(std::istream& script, std::ostream& out, std::ostream& err);
    // One script line; false when it cannot be read.
    bool execute(const std::string& line, std::ostream& out);
    bool ended() const { return platform.quit; }
};
