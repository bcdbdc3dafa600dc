#include "designer/reachmap.h"

#include <algorithm>
#include <array>
#include <queue>

#include "designer/fixedbars.h"
#include "play/elements.h"
#include "play/rules.h"

namespace {

constexpr int BallSize = rules::BallSize;
constexpr int HighestTop = rules::Ceiling;
// Further down the ball is at the paddle: caught or lost.
constexpr int LowestTop = TForm1::PaddleRow - BallSize - 1;
constexpr int WidestLeft = TForm1::ClientWidth - BallSize;
// What a pixel of a bar's thickness adds to a way through it.
constexpr int CostPerPixel = 4;

bool overlaps(int32 left, int32 top, const Component& bar) {
    return std::int64_t{left} + BallSize >= bar.Left &&
           std::int64_t{bar.Left} + bar.Width >= left && std::int64_t{top} + BallSize >= bar.Top &&
           std::int64_t{bar.Top} + bar.Height >= top;
}

// How thick a bar is for the ball to get through: a yellow bar as thick as it has left to wear
// away, a bar the level lets the dragged red bar carry the ball through as thick as it lies in the
// way up; nothing for a bar that stops the ball for good.
std::optional<int32> thicknessToPass(const TForm1& form, const Element& element,
                                     const Component& bar) {
    if (element.role == Role::YellowBar || dragStepSkips(form.levelnr, element.member)) {
        return bar.Height;
    }
    if (element.role == Role::YellowBarUpright) {
        return bar.Width;
    }
    return std::nullopt;
}

}  // namespace

ReachMap::ReachMap(const TForm1& form)
    : columns(WidestLeft / Cell + 1), rows(LowestTop / Cell + 1) {
    // What each cell costs to pass: nothing, more inside a bar the ball can get through, or all (a
    // wall).
    std::vector<int> cost(std::size_t(columns) * rows, Cell);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int32 left = column * Cell;
            const int32 top = row * Cell;
            int& here = cost[index(column, row)];
            if (top < HighestTop) {
                here = Unreachable;
                continue;
            }
            for (const Element* element : FixedBars) {
                const Component& bar = form.*element->member;
                if (!overlaps(left, top, bar)) {
                    continue;
                }
                const std::optional<int32> thickness = thicknessToPass(form, *element, bar);
                here = thickness ? std::min<int>(Unreachable,
                                                 here + CostPerPixel * std::max(0, *thickness))
                                 : Unreachable;
            }
        }
    }

    distances.assign(cost.size(), Unreachable);
    using Entry = std::pair<int, int>;  // distance, cell
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (cost[index(column, row)] < Unreachable &&
                overlaps(column * Cell, row * Cell, form.dig11)) {
                distances[index(column, row)] = 0;
                open.push({0, index(column, row)});
            }
        }
    }
    constexpr std::array<std::pair<int, int>, 4> Steps = {{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
    while (!open.empty()) {
        const auto [distance, cell] = open.top();
        open.pop();
        if (distance > distances[cell]) {
            continue;
        }
        for (const auto& [dx, dy] : Steps) {
            const int column = cell % columns + dx;
            const int row = cell / columns + dy;
            if (column < 0 || row < 0 || column >= columns || row >= rows) {
                continue;
            }
            const int next = index(column, row);
            if (cost[next] >= Unreachable || distance + cost[next] >= distances[next]) {
                continue;
            }
            distances[next] = distance + cost[next];
            open.push({distances[next], next});
        }
    }
}

int ReachMap::distance(int32 left, int32 top) const {
    const int column = std::clamp<int32>(left, 0, WidestLeft) / Cell;
    const int row = std::clamp<int32>(top, 0, LowestTop) / Cell;
    return distances[index(column, row)];
}

std::uint64_t ReachMap::key(const TForm1& form) {
    std::uint64_t hash = 1469598103934665603u;
    auto mix = [&hash](std::int64_t value) {
        hash = (hash ^ static_cast<std::uint64_t>(value)) * 1099511628211u;
    };
    auto mixBounds = [&mix](const Component& c) {
        mix(c.Left);
        mix(c.Top);
        mix(c.Width);
        mix(c.Height);
    };
    mix(form.levelnr);
    for (const Element* bar : FixedBars) {
        mixBounds(form.*bar->member);
    }
    mixBounds(form.dig11);
    return hash;
}
