#include "designer/proof.h"

#include <sstream>

#include "headless/scenario.h"

namespace {

// What a player at the mouse does: the timers come by themselves, and the menus, the round-end
// dialog and the scenario runner's other commands have no place in a proof.
bool isPlayersLine(const std::string& line) {
    const std::string text = line.substr(0, line.find('#'));
    if (text.find_first_not_of(" \t\r") == std::string::npos) {
        return true;
    }
    const std::optional<InputEvent> event = parseEvent(text);
    return event && event->kind <= InputEvent::Click && event->kind != InputEvent::Flight &&
           event->kind != InputEvent::Blink;
}

}  // namespace

bool provesLevel(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                 const std::string& script, std::string& why) {
    std::istringstream lines(script);
    std::string line;
    std::getline(lines, line);
    if (line != "level " + std::to_string(level)) {
        why = "the script does not begin at the standard start of level " + std::to_string(level);
        return false;
    }
    Scenario scenario(openLevelFile);
    std::ostringstream dumps;
    scenario.execute(line, dumps);
    for (int number = 2; std::getline(lines, line); ++number) {
        if (!isPlayersLine(line) || !scenario.execute(line, dumps)) {
            why = "line " + std::to_string(number) + " is nothing a player does: " + line;
            return false;
        }
    }
    // A lost ball stops the frame tick, so the hand is only reached with every ball kept.
    const std::string bonus = "Super! Gleich gehts weiter mit dem nächsten Level! " +
                              std::to_string(mul32(25, level)) + " Bonus!";
    const std::vector<std::string>& messages = scenario.platform.messages;
    if (!scenario.player.breach().empty() || messages.empty() || messages.front() != bonus) {
        why = "the script does not reach the hand of level " + std::to_string(level);
        return false;
    }
    return true;
}
