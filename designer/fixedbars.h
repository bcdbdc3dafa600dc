#pragma once

#include <algorithm>
#include <array>

#include "play/elements.h"

// The bars a level places and the player does not move: every bar but the red one. Looked up in
// the element table once, when compiled, for the searches that ask about them every tick.
constexpr bool isFixedBar(Role role) {
    return barKindOf(role) && role != Role::RedBar;
}

inline constexpr std::size_t FixedBarCount = static_cast<std::size_t>(
    std::ranges::count_if(Elements, [](const Element& e) { return isFixedBar(e.role); }));

inline constexpr std::array<const Element*, FixedBarCount> FixedBars = [] {
    std::array<const Element*, FixedBarCount> bars{};
    std::size_t next = 0;
    for (const Element& element : Elements) {
        if (isFixedBar(element.role)) {
            bars[next++] = &element;
        }
    }
    return bars;
}();
