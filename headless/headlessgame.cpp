#include "headless/headlessgame.h"

#include <algorithm>

#include "play/rules.h"

HeadlessGame::HeadlessGame(TForm1::LevelFileOpener openLevelFile, Begin begin)
    : game(platform, std::move(openLevelFile)), player(game, platform) {
    if (begin == Begin::AfterStartUp) {
        startUp();
    }
}

HeadlessGame::HeadlessGame(const std::filesystem::path& levelFile, Begin begin)
    : HeadlessGame([levelFile] { return ProfileFile(levelFile); }, begin) {}

void HeadlessGame::startUp() {
    game.Form1.FormCreate();
    game.Form1.setEnabled(true);
}

void setUpStandardStart(Game& game, int32 level) {
    TForm1& form = game.Form1;
    // The start click lays out the level after the one it counts.
    form.levelnr = sub32(level, 1);
    form.punkte = rules::NewGamePoints;
    form.baelle = rules::NewGameBalls;
}

void HeadlessGame::copyFrom(const HeadlessGame& other) {
    game.copyStateFrom(other.game);
    platform.messages = other.platform.messages;
    platform.events = other.platform.events;
}

bool HeadlessGame::reported(GameEvent::Kind kind) const {
    return std::ranges::any_of(platform.events,
                               [kind](const GameEvent& event) { return event.kind == kind; });
}
