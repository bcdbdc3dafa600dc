#include "tools/sim/eventplayer.h"

namespace {

// A box opened inside a box inside a box is as deep as play can nest them.
enum { MaxBoxDepth = 3 };

}  // namespace

EventPlayer::EventPlayer(Game& game, RecordingPlatform& platform, BoxEvents boxEvents)
    : game(game), platform(platform), boxEvents(std::move(boxEvents)) {
    if (this->boxEvents) {
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
    TForm1& form = game.Form1;
    TForm2& dialog = game.Form2;
    const bool mainTakesInput = form.Enabled;
    switch (event.kind) {
        case InputEvent::Tick:
        case InputEvent::Countdown:
        case InputEvent::Flight:
        case InputEvent::Blink:
            timer(event);
            return;
        case InputEvent::DialogButton:
            if (dialog.Visible)
                dialog.Label2Click();
            return;
        case InputEvent::DialogCloseBox:
            if (dialog.Visible)
                dialog.Close();
            return;
        default:
            break;
    }
    if (!mainTakesInput) {
        return;
    }
    const MouseButton button = event.rightButton ? MouseButton::Right : MouseButton::Left;
    switch (event.kind) {
        case InputEvent::Move:
            form.Mouse.move(event.x, event.y);
            break;
        case InputEvent::Press:
            form.Mouse.press(event.x, event.y, button);
            break;
        case InputEvent::Release:
            form.Mouse.release(event.x, event.y, button);
            break;
        case InputEvent::Click:
            form.Mouse.press(event.x, event.y, MouseButton::Left);
            if (!ended())
                form.Mouse.release(event.x, event.y, MouseButton::Left);
            break;
        case InputEvent::Pause:
            form.Button1Click();
            break;
        case InputEvent::BuyBall:
            purchase(&TForm1::N1Ballkaufenkostet5000Punkte1Click);
            break;
        case InputEvent::BuyLevel:
            purchase(&TForm1::N1Levelkaufenkostet20000Punkte1Click);
            break;
        case InputEvent::Info:
            form.Info1Click();
            break;
        case InputEvent::Quit:
            form.Beenden();
            break;
        default:
            break;
    }
}

void EventPlayer::timer(const InputEvent& event) {
    TForm1& form = game.Form1;
    TForm2& dialog = game.Form2;
    for (long i = 0; i < event.count && !ended() && broken.empty(); ++i) {
        switch (event.kind) {
            case InputEvent::Tick:
                if (form.Timer1.Enabled)
                    form.Timer1Timer();
                break;
            case InputEvent::Countdown:
                form.Timer2Timer();
                break;
            case InputEvent::Flight:
                if (dialog.Timer2.Enabled)
                    dialog.Timer2Timer();
                break;
            case InputEvent::Blink:
                if (dialog.Timer1.Enabled)
                    dialog.Timer1Timer();
                break;
            default:
                return;
        }
    }
}

void EventPlayer::purchase(void (TForm1::*command)()) {
    const int32 before = game.Form1.punkte;
    (game.Form1.*command)();
    if (game.Form1.punkte < 0 && game.Form1.punkte < before && broken.empty()) {
        broken = "a purchase took the points from " + std::to_string(before) + " to " +
                 std::to_string(game.Form1.punkte);
    }
}

// Inside a message box the timers go on firing; the pointer and the menus cannot reach the game.
void EventPlayer::whileBoxOpen() {
    if (!boxEvents || boxDepth >= MaxBoxDepth) {
        return;
    }
    ++boxDepth;
    for (InputEvent event; !ended() && broken.empty() && boxEvents(event);) {
        if (event.isTimer()) {
            timer(event);
            check(event);
        }
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
