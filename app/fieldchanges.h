#pragma once

#include <QRect>
#include <QRegion>
#include <array>
#include <optional>
#include <string>

#include "play/elements.h"

// What the play field last drew of each component, so that a frame repaints only the parts of
// the field that changed: most ticks move just the ball, and a whole field each tick would cost
// far more than the game itself.
class FieldChanges {
public:
    // Where a component shows on the field; a text gets a little room for glyphs that reach
    // beyond its measured box.
    static std::optional<QRect> area(const Component& component);

    // The parts of the field that differ from what was last drawn, for every component or for
    // one; from then on the new state counts as drawn.
    QRegion take(const TForm1& form);
    QRegion take(const TForm1& form, const Component& component);

private:
    struct Look {
        std::optional<QRect> area;
        std::string caption;
    };

    QRegion takeAt(std::size_t index, const Component& component);

    std::array<Look, Elements.size()> drawn;
};
