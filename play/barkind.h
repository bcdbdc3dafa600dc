#pragma once

#include <array>

// The seven kinds of bar. The kind is fixed by the component; a level only moves and sizes it.
enum BarKind { bkGreyFar, bkGrey, bkYellowFlat, bkYellowUpright, bkGreen, bkRed, bkRedDragged };

// Which pair of faces wears a yellow bar away.
enum class Wear { None, Height, Width };

struct BarKindParams {
    int gapX;          // pixels left between the ball and a left or right face after a bounce
    int gapY;          // the same for a top or bottom face
    bool reverseBoth;  // every face turns both step components, not just the one across it
    Wear wear;
};

inline constexpr std::array<BarKindParams, 7> BarKinds = {{
    /* bkGreyFar       */ {3, 3, false, Wear::None},
    /* bkGrey          */ {1, 1, false, Wear::None},
    /* bkYellowFlat    */ {1, 1, false, Wear::Height},
    /* bkYellowUpright */ {1, 1, false, Wear::Width},
    /* bkGreen         */ {1, 1, true, Wear::None},
    /* bkRed           */ {3, 2, false, Wear::None},
    /* bkRedDragged    */ {0, 1, false, Wear::None},
}};

// A face counts as hit while the ball has reached at most this many pixels past it.
inline constexpr int MaxHitDepth = 14;
// Each hit on a wearing face takes this much off a yellow bar's thickness.
inline constexpr int WearPerHit = 2;
// Where a worn-out yellow bar is put aside, above or left of the field.
inline constexpr int WornOutPosition = -5;
