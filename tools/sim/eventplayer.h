#pragma once

#include <functional>
#include <string>

#include "play/game.h"
#include "tools/sim/inputevent.h"
#include "tools/sim/recordingplatform.h"

// Plays input events into a game the way the windows deliver them: nothing reaches a disabled
// main window, the dialog's controls only work while it shows, and timers fire only while they
// are on. After every event it checks what must always hold, and names the first breach.
class EventPlayer {
public:
    // Asked for the timer events that fire while a message box is open; an empty event ends the
    // box.
    using BoxEvents = std::function<bool(InputEvent&)>;

    EventPlayer(Game& game, RecordingPlatform& platform, BoxEvents boxEvents = {});

    // Plays one event; false once the game has ended or an invariant broke.
    bool play(const InputEvent& event);
    const std::string& breach() const { return broken; }
    bool ended() const { return platform.quit; }

private:
    void deliver(const InputEvent& event);
    void timer(const InputEvent& event);
    void purchase(void (TForm1::*command)());
    void check(const InputEvent& event);
    void whileBoxOpen();

    Game& game;
    RecordingPlatform& platform;
    BoxEvents boxEvents;
    int boxDepth = 0;
    bool started = false;
    std::string broken;
};
