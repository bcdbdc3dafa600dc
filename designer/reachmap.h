#pragma once

#include <cstdint>
#include <vector>

#include "play/form1.h"

// How far the ball is from the hand along the ways open to it: a distance in pixels for every
// position of the ball on a grid, found around the bars the ball cannot pass. A yellow bar counts
// as a wall that is the thinner, the more it is worn, so that wearing one down is progress; so
// does a bar the level lets the dragged red bar carry the ball through. The red bar is left out,
// since the player moves it.
class ReachMap {
public:
    enum { Cell = 6, Unreachable = 1 << 29 };

    explicit ReachMap(const TForm1& form);

    // From the ball with its top-left corner at `left`, `top`.
    int distance(int32 left, int32 top) const;
    // Changes whenever anything the map is made from changes.
    static std::uint64_t key(const TForm1& form);

private:
    int index(int column, int row) const { return row * columns + column; }

    int columns = 0;
    int rows = 0;
    std::vector<int> distances;
};
