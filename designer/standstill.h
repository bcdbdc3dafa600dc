#pragma once

#include <optional>
#include <string>
#include <vector>

#include "headless/inputevent.h"
#include "play/form1.h"

// A ball that stands still in play: the rules can hold it in one place for good (a green bar's
// corner that sends it back each tick to where it was), and the points then run down to a lost
// ball while nothing moves. The game plays on as it does; the tools call it a trap of the level.
struct Standstill {
    int32 left = 0, top = 0;  // where the ball stands
    int32 tick = 0;           // the tick counter of the round when it was found

    bool operator==(const Standstill&) const = default;
};

// Watches a game tick by tick and tells once its ball has stood still in play for StillTicks
// ticks, two steps of the point countdown: a ball in flight never stays that long in one pixel.
class StandstillWatch {
public:
    enum { StillTicks = 62 };

    // Looks at the game as it stands; call it after each frame tick, or more often.
    std::optional<Standstill> observe(const TForm1& form);

private:
    int32 lastTick = -1;
    int32 left = 0, top = 0;
    int still = 0;
};

// Plays level `number` of the level file's text from its standard start with the paddle kept
// under the ball, as a first try of a level does, until the hand, a lost ball or the points run
// out, and at most `budget` ticks; where the ball stood still, if it did.
enum { ProbeTicks = 3200 };  // as long as 1000 points last, and a little more
std::optional<Standstill> probeStandstill(const std::string& text, int32 number,
                                          long budget = ProbeTicks);

// Plays a recorded playthrough of level `number` from its standard start; where the ball stood
// still on the way, if it did.
std::optional<Standstill> standstillIn(const std::string& text, int32 number,
                                       const std::vector<InputEvent>& events);
