#include "designer/playerhand.h"

#include <algorithm>

#include "headless/standardstart.h"

namespace {

int32 stepToward(int32 from, int32 to) {
    return from + std::clamp(to - from, -int32{PlayerHand::MaxStep}, int32{PlayerHand::MaxStep});
}

}  // namespace

PlayerHand::PlayerHand(TForm1::LevelFileOpener openLevelFile)
    : game(platform, std::move(openLevelFile)) {
    game.Form1.FormCreate();
    game.Form1.setEnabled(true);
}

void PlayerHand::copyFrom(const PlayerHand& other) {
    game.copyStateFrom(other.game);
    platform.messages = other.platform.messages;
    at = other.at;
    held = other.held;
    played = other.played;
    sinceCountdown = other.sinceCountdown;
    written.clear();
}

void PlayerHand::startLevel(int32 level, Point at) {
    setUpStandardStart(game, level);
    pointerEvent(InputEvent::Move, at);
    tick();
    pointerEvent(InputEvent::Click, at);
    tick();
}

void PlayerHand::play(const InputEvent& event) {
    player.play(event);
    written.push_back(event);
}

void PlayerHand::pointerEvent(InputEvent::Kind kind, Point to) {
    at = to;
    play({kind, to.x, to.y});
}

void PlayerHand::tick() {
    play({InputEvent::Tick});
    ++played;
    if (++sinceCountdown == TicksPerCountdown) {
        sinceCountdown = 0;
        play({InputEvent::Countdown});
    }
}

void PlayerHand::moveToward(Point to) {
    const Point from = at.value_or(to);
    const Point next{stepToward(from.x, to.x), stepToward(from.y, to.y)};
    if (!at || next.x != from.x || next.y != from.y) {
        pointerEvent(InputEvent::Move, next);
    }
    tick();
}

void PlayerHand::press() {
    pointerEvent(InputEvent::Press, at.value_or(Point{}));
    held = true;
    tick();
}

void PlayerHand::release() {
    pointerEvent(InputEvent::Release, at.value_or(Point{}));
    held = false;
    tick();
}

bool PlayerHand::handReached() const {
    // The hand says so in a box, and nothing else of a level's play does.
    return std::ranges::any_of(platform.messages,
                               [](const std::string& text) { return text.starts_with("Super!"); });
}

bool PlayerHand::failed() const {
    return game.Form2.Visible || !player.breach().empty() || player.ended();
}
