#include "designer/playerhand.h"

#include <algorithm>

#include "play/rules.h"

namespace {

enum Steering {
    SteerSlack = 4,      // the pointer is moved once the ball has gone this far from it
    PreferredRow = 395,  // where the pointer steers from: just above the strip where it does not
    BallHalf = rules::BallSize / 2,
};

bool steers(const TForm1& form, PlayerHand::Point p) {
    const Component* under = form.Mouse.componentAt(p.x, p.y);
    return under && (under->OnMouseMove == MoveHandler::FangerMouseMove ||
                     (under->OnMouseMove == MoveHandler::Hinder7MouseMove && !form.ziehen));
}

// A height at `x` from which the pointer steers the paddle, as near the preferred row as there
// is one: over the hand or the displays it would not.
int32 steeringRow(const TForm1& form, int32 x) {
    for (int32 offset = 0; offset < TForm1::ClientHeight; offset += 5) {
        for (const int32 y : {PreferredRow - offset, PreferredRow + offset}) {
            if (y >= TForm1::HeaderHeight && y < TForm1::ClientHeight && steers(form, {x, y})) {
                return y;
            }
        }
    }
    return PreferredRow;
}

int32 stepToward(int32 from, int32 to, int32 most) {
    return from + std::clamp(to - from, -most, most);
}

}  // namespace

PlayerHand::PlayerHand(const TForm1::LevelFileOpener& openLevelFile, const HandProfile& profile,
                       int shadowCount)
    : profile(profile), headless(openLevelFile), shadows(openLevelFile, profile, shadowCount) {}

void PlayerHand::copyFrom(const PlayerHand& other) {
    headless.copyFrom(other.headless);
    at = other.at;
    held = other.held;
    played = other.played;
    sinceCountdown = other.sinceCountdown;
    pressedAt = other.pressedAt;
    pressed = other.pressed;
    releasedAt = other.releasedAt;
    watch = other.watch;
    shadows.copyFrom(other.shadows);
    written.clear();
}

void PlayerHand::startLevel(int32 level, Point at) {
    headless.standardStart(level);
    shadows.startLevel(level);
    pointerEvent(InputEvent::Move, at);
    tick();
    pointerEvent(InputEvent::Click, at);
    tick();
}

void PlayerHand::play(const InputEvent& event) {
    headless.play(event);
    watch.observe(headless.game.Form1);
    shadows.play(event);
    written.push_back(event);
}

void PlayerHand::pointerEvent(InputEvent::Kind kind, Point to) {
    at = to;
    play({kind, to.x, to.y});
}

void PlayerHand::tick() {
    play({InputEvent::Tick});
    ++played;
    if (++sinceCountdown == profile.countdownEvery) {
        sinceCountdown = 0;
        play({InputEvent::Countdown});
    }
}

void PlayerHand::moveToward(Point to) {
    const Point from = at.value_or(to);
    const Point next{stepToward(from.x, to.x, profile.maxStep),
                     stepToward(from.y, to.y, profile.maxStep)};
    if (!at || next.x != from.x || next.y != from.y) {
        pointerEvent(InputEvent::Move, next);
    }
    tick();
}

void PlayerHand::press() {
    while (played - releasedAt < profile.minGap && !failed()) {
        tick();
    }
    pressedAt = played;
    ++pressed;
    pointerEvent(InputEvent::Press, at.value_or(Point{}));
    held = true;
    tick();
}

void PlayerHand::release() {
    while (played - pressedAt < profile.minHold && !failed()) {
        tick();
    }
    releasedAt = played;
    pointerEvent(InputEvent::Release, at.value_or(Point{}));
    held = false;
    tick();
}

void PlayerHand::followBall() {
    const TForm1& form = headless.game.Form1;
    steerUnder(form.ball.Left + BallHalf);
}

void PlayerHand::steerUnder(int32 ballCentreX) {
    const TForm1& form = headless.game.Form1;
    const int32 x = std::clamp<int32>(ballCentreX, 0, TForm1::ClientWidth - 1);
    if (at && std::abs(at->x - x) < SteerSlack && steers(form, *at)) {
        tick();
        return;
    }
    moveToward({x, at && steers(form, {x, at->y}) ? at->y : steeringRow(form, x)});
}

bool PlayerHand::handReached() const {
    return headless.reported(GameEvent::HandReached);
}

bool PlayerHand::failed() const {
    return headless.game.Form2.Visible || !headless.player.breach().empty() ||
           headless.player.ended() || watch.found();
}
