#pragma once

#include <cstdint>
#include <string_view>

#include "play/int32.h"

// Something that happened in play, as the rules report it to whoever watches: the tools and the
// tests read these, never the texts shown to the player.
struct GameEvent {
    enum Kind : std::uint8_t {
        LevelLaidOut,  // a start click laid out `level`
        PennyTaken,    // `points` for the penny, the `component` of the main window
        HandReached,   // the hand of `level`, paying `points` of bonus
        BallLost,      // the ball fell past the paddle; `balls` are left
        PointsRanOut,  // the countdown took a ball; `balls` are left
        GameOver,      // no ball is left
        BarWornAway,   // a yellow bar, the `component`, is worn to nothing and put aside
    };

    GameEvent(Kind kind, int32 level, int32 points = 0, int32 balls = 0,
              std::string_view component = {})
        : kind(kind), level(level), points(points), balls(balls), component(component) {}

    Kind kind;
    int32 level = 0;
    int32 points = 0;
    int32 balls = 0;
    // The component's name as the main window gives it ("dig3", "hinder5"), where one is meant.
    std::string_view component;

    friend bool operator==(const GameEvent&, const GameEvent&) = default;
};
