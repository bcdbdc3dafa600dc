#pragma once

#include <optional>
#include <vector>

#include "designer/handprofile.h"
#include "designer/passwatch.h"
#include "designer/shadowhands.h"
#include "headless/headlessgame.h"

// A player's hand on the mouse, playing one level of a game tick by tick as the profile lets a
// person: at most one pointer event before each frame tick, the pointer travelling at most so far
// a tick along each axis, only the left button, grabs held and spaced as long as a hand needs, no
// menu, and a step of the point countdown as often as its timer. Whatever it does is written down
// as script events; a ball that goes through a bar ends its play as a failure.
class PlayerHand {
public:
    struct Point {
        int32 x = 0, y = 0;
    };

    // With `shadowCount` copies of the game that the hand's events reach jittered.
    PlayerHand(const TForm1::LevelFileOpener& openLevelFile, const HandProfile& profile,
               int shadowCount = 0);
    PlayerHand(const PlayerHand&) = delete;
    PlayerHand& operator=(const PlayerHand&) = delete;

    // Takes over the other hand's game, pointer and rhythm; the events written so far are dropped.
    void copyFrom(const PlayerHand& other);

    // The standard start of the level, then the start click at `at`.
    void startLevel(int32 level, Point at);

    // One frame tick, with nothing moved before it.
    void tick();
    // A step of the pointer towards `to` as far as one tick allows, then the tick.
    void moveToward(Point to);
    // The left button pressed or released where the pointer is, then a tick; first the hand waits
    // as long as the last release or the grab asks.
    void press();
    void release();
    // Keeps the paddle under the ball for a tick: moves the pointer to above the ball, in a row
    // from which it steers the paddle, when it has gone off, then the tick.
    void followBall();
    // The same for a ball at `ballCentreX` that is not this hand's own.
    void steerUnder(int32 ballCentreX);

    const TForm1& form() const { return headless.game.Form1; }
    const Game& state() const { return headless.game; }
    // What the rules reported so far.
    const std::vector<GameEvent>& reports() const { return headless.platform.events; }
    std::optional<Point> pointer() const { return at; }
    bool holding() const { return held; }
    long ticks() const { return played; }
    int grabs() const { return pressed; }
    bool handReached() const;
    // The ball is lost or went through a bar, the points ran out, or the game ended.
    bool failed() const;
    const std::optional<Passage>& passage() const { return watch.found(); }
    const ShadowHands& shadowHands() const { return shadows; }
    // The events since the last copy.
    const std::vector<InputEvent>& events() const { return written; }

private:
    void play(const InputEvent& event);
    void pointerEvent(InputEvent::Kind kind, Point to);

    HandProfile profile;
    HeadlessGame headless;
    std::optional<Point> at;
    bool held = false;
    long played = 0;
    int sinceCountdown = 0;
    long pressedAt = 0;
    int pressed = 0;
    long releasedAt = -(1L << 20);
    PassWatch watch;
    ShadowHands shadows;
    std::vector<InputEvent> written;
};
