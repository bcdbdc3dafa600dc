#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "play/inputgate.h"
#include "play/int32.h"

// One thing the desktop can hand the game: a timer firing, the pointer, a menu command, the
// round-end dialog's button or close box. Written as a script line, it reads as in
// "tick 31", "press 316 217 right", "menu Pause" or "dialog-close". A press or release names
// its button, left (the default), right or middle.
struct InputEvent {
    enum Kind : std::uint8_t {
        Tick,
        Countdown,
        Flight,
        Blink,
        Move,
        Press,
        Release,
        Click,
        Pause,
        BuyBall,
        BuyLevel,
        Info,
        Quit,
        DialogButton,
        DialogCloseBox,
        KindCount
    };

    Kind kind = Tick;
    int32 x = 0;
    int32 y = 0;
    MouseButton button = MouseButton::Left;
    // How often a timer fires in a row.
    long count = 1;

    bool isTimer() const { return kind <= Blink; }
    // What a hand on the mouse does: a move, a press, a release or a click.
    bool isPointerAction() const { return kind >= Move && kind <= Click; }
};

// The timer a timer event fires, and the menu command an event is, if it is one.
GameTimer timerOf(InputEvent::Kind kind);
std::optional<MenuCommand> menuCommandOf(InputEvent::Kind kind);

// Reads one script line (without its comment); nothing when it is not an event.
std::optional<InputEvent> parseEvent(std::string_view line);
// The script line that reads back as the event.
std::string describe(const InputEvent& event);

// Hands one event to the rules through the gate, as the windows deliver it: a timer event fires its
// timer `count` times, a click is a press and a release of the left button. Between those steps
// `stopped` may say that the game is over, and the rest is left undelivered.
void deliverEvent(InputGate& gate, const InputEvent& event, const std::function<bool()>& stopped);
