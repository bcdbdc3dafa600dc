#include "headless/eventplayer.h"

namespace {

// A box opened inside a box inside a box is as deep as play can nest them.
enum { MaxBoxDepth = 3 };

}  // namespace

EventPlayer::EventPlayer(Game& game, RecordingPlatform& platform, BoxEvents boxEvents)
    : game(game), platform(platform) {
    setBoxEvents(std::move(boxEvents));
}

void EventPlayer::setBoxEvents(BoxEvents events) {
    boxEvents = std::move(events);
    if (boxEvents) {
        platform.whileMessageOpen = [this](const std::string&) { whileBoxOpen(); };
    }
}

bool EventPlayer::play(const InputEvent& event) {
    if (ended() || !broken.empty()) {
        return false;
    }
    deliver(event);
    check(event);
    return !ended() && broken.empty();
}

void EventPlayer::deliver(const InputEvent& event) {
    if (const std::optional<MenuCommand> command = menuCommandOf(event.kind)) {
        menu(*command);
        return;
    }
    deliverEvent(game.Input, event, [this] { return ended() || !broken.empty(); });
}

// A menu command; no purchase may take the points below 0.
void EventPlayer::menu(MenuCommand command) {
    const int32 before = game.Form1.punkte;
    game.Input.menu(command);
    if (game.Form1.punkte < 0 && game.Form1.punkte < before && broken.empty()) {
        broken = "a purchase took the points from " + std::to_string(before) + " to " +
                 std::to_string(game.Form1.punkte);
    }
}

// Inside a message box the timers go on firing; the gate keeps everything else from the game.
void EventPlayer::whileBoxOpen() {
    if (!boxEvents || boxDepth >= MaxBoxDepth) {
        return;
    }
    ++boxDepth;
    const InputGate::ModalBox box(game.Input);
    for (InputEvent event; !ended() && broken.empty() && boxEvents(event);) {
        deliver(event);
        check(event);
    }
    --boxDepth;
}

void EventPlayer::check(const InputEvent& event) {
    if (!broken.empty()) {
        return;
    }
    const TForm1& form = game.Form1;
    started |= !form.Label4.Visible;
    std::string what;
    if (started && form.teiler != 1500)
        what = "teiler is " + std::to_string(form.teiler);
    else if (form.baelle < 0 && !game.Form2.Visible)
        what = "baelle is " + std::to_string(form.baelle) + " outside the round-end dialog";
    else if (form.levelnr < 0)
        what = "levelnr is " + std::to_string(form.levelnr);
    if (!what.empty()) {
        broken = what + " after " + describe(event);
    }
}
