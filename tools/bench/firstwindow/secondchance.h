#pragma once

#include <functional>
#include <optional>

// Now and then, on a busy machine, a start shows no window in time (the bare window's as much as
// the game's). Such a start is left out, `missed` hears of it, and the program is started once
// more; nothing when that start shows none either.
inline std::optional<double> withSecondChance(const std::function<std::optional<double>()>& start,
                                              const std::function<void()>& missed) {
    if (const std::optional<double> shown = start()) {
        return shown;
    }
    missed();
    return start();
}
