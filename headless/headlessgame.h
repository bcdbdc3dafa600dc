#pragma once

#include <filesystem>

#include "headless/eventplayer.h"
#include "headless/recordingplatform.h"
#include "play/game.h"

// The standard start of a level, a design aid for trying out one level alone: the game waits for
// its start click as after a fresh start, with a new game's points and balls, and that click lays
// out level `level`. For a game as the start-up leaves it, with or without windows.
void setUpStandardStart(Game& game, int32 level);

// A game without windows, standing where the start-up windows leave it: the level file checked,
// the main window enabled, waiting for a start click. The scenario runner, the level designer's
// side, the tools, the fuzzers and the tests all play on one of these.
class HeadlessGame {
public:
    // A game can also begin before the start-up, for what has to be in place when it runs.
    enum class Begin { AfterStartUp, BeforeStartUp };

    explicit HeadlessGame(TForm1::LevelFileOpener openLevelFile, Begin begin = Begin::AfterStartUp);
    explicit HeadlessGame(const std::filesystem::path& levelFile,
                          Begin begin = Begin::AfterStartUp);
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    // What the start-up does with the main window: the level file checked, then the start-up
    // windows done with.
    void startUp();

    void standardStart(int32 level) { setUpStandardStart(game, level); }
    // Takes over the other game's whole state of play and what its platform recorded.
    void copyFrom(const HeadlessGame& other);

    // Plays one input event as the windows deliver it; false once the game has ended or broke a
    // rule that must always hold.
    bool play(const InputEvent& event) { return player.play(event); }
    // Whether the rules reported an event of that kind since the game began.
    bool reported(GameEvent::Kind kind) const;

    RecordingPlatform platform;
    Game game;
    EventPlayer player;
};
