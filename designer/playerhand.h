#pragma once

#include <optional>
#include <vector>

#include "headless/eventplayer.h"
#include "headless/recordingplatform.h"
#include "play/game.h"

// A player's hand on the mouse, playing one level of a game tick by tick as a person could: at
// most one pointer event before each frame tick, the pointer travelling at most MaxStep pixels a
// tick along each axis, only the left button, no menu, and a step of the point countdown after
// every TicksPerCountdown ticks. Whatever it does is written down as script events.
class PlayerHand {
public:
    enum { MaxStep = 40, TicksPerCountdown = 31 };

    struct Point {
        int32 x = 0, y = 0;
    };

    explicit PlayerHand(TForm1::LevelFileOpener openLevelFile);
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
    // The left button pressed or released where the pointer is, then a tick.
    void press();
    void release();
    // Keeps the paddle under the ball for a tick: moves the pointer to above the ball, in a row
    // from which it steers the paddle, when it has gone off, then the tick.
    void followBall();

    const TForm1& form() const { return game.Form1; }
    const Game& state() const { return game; }
    std::optional<Point> pointer() const { return at; }
    bool holding() const { return held; }
    long ticks() const { return played; }
    bool handReached() const;
    // The ball is lost, the points ran out, or the game ended.
    bool failed() const;
    // The events since the last copy.
    const std::vector<InputEvent>& events() const { return written; }

private:
    void play(const InputEvent& event);
    void pointerEvent(InputEvent::Kind kind, Point to);

    RecordingPlatform platform;
    Game game;
    EventPlayer player{game, platform};
    std::optional<Point> at;
    bool held = false;
    long played = 0;
    int sinceCountdown = 0;
    std::vector<InputEvent> written;
};
