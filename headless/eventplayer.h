#pragma once

#include <functional>
#include <string>

#include "headless/inputevent.h"
#include "headless/recordingplatform.h"
#include "play/game.h"

// Plays input events into a game through its input gate, as the windows deliver them. After every
// event it checks what must always hold, and names the first breach.
class EventPlayer {
public:
    // Asked for the timer events that fire while a message box is open; an empty event ends the
    // box.
    using BoxEvents = std::function<bool(InputEvent&)>;

    EventPlayer(Game& game, RecordingPlatform& platform, BoxEvents boxEvents = {});
    void setBoxEvents(BoxEvents events);

    // Plays one event; false once the game has ended or an invariant broke.
    bool play(const InputEvent& event);
    const std::string& breach() const { return broken; }
    bool ended() const { return platform.quit; }

private:
    void deliver(const InputEvent& event);
    void menu(MenuCommand command);
    void check(const InputEvent& event);
    void whileBoxOpen();

    Game& game;
    RecordingPlatform& platform;
    BoxEvents boxEvents;
    int boxDepth = 0;
    bool started = false;
    std::string broken;
};
