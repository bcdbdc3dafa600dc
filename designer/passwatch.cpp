#include "designer/passwatch.h"

#include <algorithm>
#include <cstdint>

#include "designer/fixedbars.h"
#include "play/elements.h"

namespace {

// The depth up to which a face of a bar still catches the ball.
constexpr std::int64_t DeepestCaught = 14;

bool inField(const Component& bar) {
    return bar.Width > 0 && bar.Height > 0 && std::int64_t{bar.Left} + bar.Width > 0 &&
           bar.Left < TForm1::ClientWidth && std::int64_t{bar.Top} + bar.Height > 0 &&
           bar.Top < TForm1::ClientHeight;
}

// Below -1, within 0, beyond +1: where the span from `from` of `size` lies against the bar's.
int against(std::int64_t from, std::int64_t size, std::int64_t barFrom, std::int64_t barSize) {
    return from + size < barFrom ? -1 : from > barFrom + barSize ? 1 : 0;
}

// Whether the ball went from one side of the bar to the opposite one on an axis since the event
// before, sweeping across the bar's span on the other: no bounce moves it so far in one event.
bool jumped(const Component& ball, int32 lastLeft, int32 lastTop, const Component& bar) {
    const auto across = [](std::int64_t was, std::int64_t is, std::int64_t size, std::int64_t from,
                           std::int64_t barSize) {
        const int before = against(was, size, from, barSize);
        const int after = against(is, size, from, barSize);
        return before != 0 && after == -before;
    };
    const auto swept = [](std::int64_t was, std::int64_t is, std::int64_t size, std::int64_t from,
                          std::int64_t barSize) {
        return std::min(was, is) <= from + barSize && std::max(was, is) + size >= from;
    };
    return (across(lastTop, ball.Top, ball.Height, bar.Top, bar.Height) &&
            swept(lastLeft, ball.Left, ball.Width, bar.Left, bar.Width)) ||
           (across(lastLeft, ball.Left, ball.Width, bar.Left, bar.Width) &&
            swept(lastTop, ball.Top, ball.Height, bar.Top, bar.Height));
}

// Whether the ball now lies against a face of the bar, put there by its bounce, having come from
// beyond the bar's middle: the bar caught it on the face it went out of, not the one it came in by.
bool outTheFarFace(const Component& ball, int32 lastLeft, int32 lastTop, const Component& bar) {
    // A bounce leaves the ball this near the face: the widest gap, and a worn yellow bar's 2.
    constexpr std::int64_t Near = 5;
    const std::int64_t left = ball.Left, top = ball.Top, size = ball.Width;
    const bool overlapsX = left + size >= bar.Left && left <= std::int64_t{bar.Left} + bar.Width;
    const bool overlapsY =
        top + ball.Height >= bar.Top && top <= std::int64_t{bar.Top} + bar.Height;
    const std::int64_t middleX2 = 2 * std::int64_t{bar.Left} + bar.Width;
    const std::int64_t middleY2 = 2 * std::int64_t{bar.Top} + bar.Height;
    const std::int64_t wasX2 = 2 * std::int64_t{lastLeft} + ball.Width;
    const std::int64_t wasY2 = 2 * std::int64_t{lastTop} + ball.Height;
    const std::int64_t right = std::int64_t{bar.Left} + bar.Width;
    const std::int64_t bottom = std::int64_t{bar.Top} + bar.Height;
    return (overlapsY && left > right && left - right <= Near && wasX2 < middleX2) ||
           (overlapsY && left + size < bar.Left && bar.Left - (left + size) <= Near &&
            wasX2 > middleX2) ||
           (overlapsX && top > bottom && top - bottom <= Near && wasY2 < middleY2) ||
           (overlapsX && top + ball.Height < bar.Top && bar.Top - (top + ball.Height) <= Near &&
            wasY2 > middleY2);
}

// Whether the ball's sweep since the event before comes within a few pixels of the bar: a jump
// across it, a bounce out of its far face and a ball buried in it all need that, and most bars on
// most ticks are far away.
bool near(const Component& ball, int32 lastLeft, int32 lastTop, const Component& bar) {
    constexpr std::int64_t Margin = 6;
    const std::int64_t left = std::min(lastLeft, ball.Left) - Margin;
    const std::int64_t right = std::int64_t{std::max(lastLeft, ball.Left)} + ball.Width + Margin;
    const std::int64_t top = std::min(lastTop, ball.Top) - Margin;
    const std::int64_t bottom = std::int64_t{std::max(lastTop, ball.Top)} + ball.Height + Margin;
    return right >= bar.Left && left <= std::int64_t{bar.Left} + bar.Width && bottom >= bar.Top &&
           top <= std::int64_t{bar.Top} + bar.Height;
}

bool buried(const Component& ball, const Component& bar) {
    const std::int64_t depths[] = {
        std::int64_t{ball.Left} + ball.Width - bar.Left,
        std::int64_t{bar.Left} + bar.Width - ball.Left,
        std::int64_t{ball.Top} + ball.Height - bar.Top,
        std::int64_t{bar.Top} + bar.Height - ball.Top,
    };
    for (const std::int64_t depth : depths) {
        if (depth <= DeepestCaught) {
            return false;
        }
    }
    return true;
}

}  // namespace

void PassWatch::observe(const TForm1& form) {
    ++seen;
    if (passage) {
        return;
    }
    const bool inPlay = !form.Label4.Visible;
    const Component& ball = form.ball;
    const bool fresh = !watching || form.levelnr != watchedLevel;
    if (!inPlay || fresh) {
        lastClear.fill(Side::Unknown);
        watching = inPlay;
        watchedLevel = form.levelnr;
    }
    if (!inPlay) {
        return;
    }
    const int32 wasLeft = fresh ? ball.Left : lastLeft;
    const int32 wasTop = fresh ? ball.Top : lastTop;
    lastLeft = ball.Left;
    lastTop = ball.Top;
    for (std::size_t slot = 0; slot < FixedBars.size(); ++slot) {
        const Element& element = *FixedBars[slot];
        Side& last = lastClear[slot];
        const Component& bar = form.*element.member;
        if (!inField(bar) || dragStepSkips(form.levelnr, element.member)) {
            last = Side::Unknown;
            continue;
        }
        const int x = against(ball.Left, ball.Width, bar.Left, bar.Width);
        const int y = against(ball.Top, ball.Height, bar.Top, bar.Height);
        Side now = Side::Unknown;
        if (x == 0 && y != 0) {
            now = y < 0 ? Side::Above : Side::Below;
        } else if (y == 0 && x != 0) {
            now = x < 0 ? Side::LeftOf : Side::RightOf;
        }
        const bool crossed = (last == Side::Above && now == Side::Below) ||
                             (last == Side::Below && now == Side::Above) ||
                             (last == Side::LeftOf && now == Side::RightOf) ||
                             (last == Side::RightOf && now == Side::LeftOf);
        if (crossed ||
            (near(ball, wasLeft, wasTop, bar) &&
             (jumped(ball, wasLeft, wasTop, bar) || outTheFarFace(ball, wasLeft, wasTop, bar) ||
              (x == 0 && y == 0 && buried(ball, bar))))) {
            passage = Passage{element.name, ball.Left, ball.Top, seen};
            return;
        }
        if (x != 0 || y != 0) {
            last = now;  // a corner forgets the side: the ball may go round the bar from there
        }
    }
}
