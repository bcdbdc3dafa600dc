#include "designer/proof.h"

#include <algorithm>
#include <sstream>

#include "headless/scenario.h"
#include "play/rules.h"
#include "play/tickperiod.h"

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

// The first end of the round the rules reported: a lost ball stops the frame tick, so the hand is
// only reached with every ball kept.
bool reachedHandOf(const std::vector<GameEvent>& events, int32 level) {
    const auto end = std::ranges::find_if(events, [](const GameEvent& event) {
        return event.kind == GameEvent::HandReached || event.kind == GameEvent::BallLost ||
               event.kind == GameEvent::PointsRanOut;
    });
    return end != events.end() && end->kind == GameEvent::HandReached && end->level == level &&
           end->points == rules::bonusFor(level);
}

}  // namespace

LevelProof checkScript(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                       const std::string& script) {
    LevelProof proof;
    proof.level = level;
    proof.script = script;
    std::istringstream lines(script);
    std::string line;
    std::getline(lines, line);
    if (line != "level " + std::to_string(level)) {
        proof.verdict = LevelProof::WrongStart;
        return proof;
    }
    Scenario scenario(openLevelFile);
    std::ostringstream dumps;
    scenario.execute(line, dumps);
    long sinceCountdown = 0;
    for (int number = 2; std::getline(lines, line); ++number) {
        if (!isPlayersLine(line) || !scenario.execute(line, dumps)) {
            proof.verdict = LevelProof::NotPlayersLine;
            proof.line = number;
            return proof;
        }
        const std::optional<InputEvent> event = parseEvent(line.substr(0, line.find('#')));
        if (event && event->kind == InputEvent::Countdown) {
            sinceCountdown = 0;
        } else if (event && event->kind == InputEvent::Tick &&
                   (sinceCountdown += event->count) > TicksPerCountdown) {
            proof.verdict = LevelProof::TimersWrong;
            proof.line = number;
            return proof;
        }
    }
    const bool reached =
        scenario.player.breach().empty() && reachedHandOf(scenario.platform.events, level);
    proof.verdict = reached ? LevelProof::Proved : LevelProof::HandNotReached;
    return proof;
}

LevelProof proveLevel(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                      const SolverLimits& limits, const SolverProgress& progress) {
    if (rules::refusesLevelFile(openLevelFile())) {
        LevelProof refused;
        refused.verdict = LevelProof::Refused;
        refused.level = level;
        return refused;
    }
    const Playthrough found = solveLevel(openLevelFile, level, limits, progress);
    if (!found.solved) {
        LevelProof none;
        none.level = level;
        none.playthrough = found;
        return none;
    }
    LevelProof proof = checkScript(openLevelFile, level, playthroughScript(level, found));
    proof.playthrough = found;
    return proof;
}
