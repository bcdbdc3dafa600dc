#include "designer/planpolish.h"

#include <algorithm>
#include <optional>
#include <random>

#include "designer/handfaults.h"
#include "designer/planreplay.h"

namespace {

enum Change {
    LongestStretch = 40,  // pointer actions a change moves at once, in ticks
    Nudge = 3,            // pixels a stretch is moved along each axis at most
};

// The pointer's one action before a frame tick, and the timers that fire after that tick.
struct Slot {
    std::optional<InputEvent> pointer;
    std::vector<InputEvent> after;
};
using Timeline = std::vector<Slot>;

// Nothing when two pointer actions share a tick: such a plan is no hand's to polish.
std::optional<Timeline> timelineOf(const std::vector<InputEvent>& events) {
    Timeline slots(1);
    for (const InputEvent& event : events) {
        if (event.kind == InputEvent::Tick) {
            slots.resize(slots.size() + std::size_t(event.count));
        } else if (!event.isPointerAction()) {
            slots[slots.size() > 1 ? slots.size() - 2 : 0].after.push_back(event);
        } else if (slots.back().pointer) {
            return std::nullopt;
        } else {
            slots.back().pointer = event;
        }
    }
    return slots;
}

std::vector<InputEvent> eventsOf(const Timeline& slots) {
    std::vector<InputEvent> events;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].pointer) {
            events.push_back(*slots[i].pointer);
        }
        if (i + 1 < slots.size()) {
            events.push_back({InputEvent::Tick});
            events.insert(events.end(), slots[i].after.begin(), slots[i].after.end());
        }
    }
    return events;
}

// A stretch of the pointer's actions moved a few pixels, or a tick later or earlier; false when the
// drawn change does not fit the plan.
bool change(Timeline& slots, std::size_t first, std::mt19937& random) {
    const std::size_t end = slots.size();
    const std::size_t a = first + std::size_t(random() % unsigned(end - first));
    const std::size_t b = std::min(end, a + 1 + std::size_t(drawUpTo(random, LongestStretch - 1)));
    switch (drawUpTo(random, 2)) {
        case 0: {
            const int dx = drawUpTo(random, 2 * Nudge) - Nudge,
                      dy = drawUpTo(random, 2 * Nudge) - Nudge;
            for (std::size_t i = a; i < b; ++i) {
                if (slots[i].pointer) {
                    slots[i].pointer->x += dx;
                    slots[i].pointer->y += dy;
                }
            }
            return dx != 0 || dy != 0;
        }
        case 1:  // later: the tick after the stretch must be free for its last action
            if (b >= end || slots[b].pointer) {
                return false;
            }
            for (std::size_t i = b; i > a; --i) {
                slots[i].pointer = slots[i - 1].pointer;
            }
            slots[a].pointer.reset();
            return true;
        default:  // earlier: the tick before the stretch must be free for its first action
            if (a <= first || slots[a - 1].pointer) {
                return false;
            }
            for (std::size_t i = a - 1; i + 1 < b; ++i) {
                slots[i].pointer = slots[i + 1].pointer;
            }
            slots[b - 1].pointer.reset();
            return true;
    }
}

// After the start click: the level's start stays as the standard start has it.
std::size_t firstChangeable(const Timeline& slots) {
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].pointer && slots[i].pointer->kind == InputEvent::Click) {
            return i + 1;
        }
    }
    return slots.size();
}

// Changes are kept when at least as many of the polishing's replays finish; a change judged by
// fewer is dropped as soon as more of them miss than of the plan kept so far.
// True when it changed the plan.
bool improve(const TForm1::LevelFileOpener& openLevelFile, int32 level, Timeline slots,
             const HandProfile& profile, long budget, PolishedPlan& best) {
    bool changed = false;
    const std::size_t first = firstChangeable(slots);
    std::mt19937 random(PolishDraw);
    while (first < slots.size() && best.sure < PolishReplays && best.ticks < budget) {
        Timeline tried = slots;
        std::vector<InputEvent> plan;
        if (!change(tried, first, random) || !handFaults(plan = eventsOf(tried), profile).empty()) {
            best.ticks += long(slots.size());  // a change that does not fit costs a look
            continue;
        }
        const ReplayOutcome steady = replayPlan(openLevelFile, level, plan);
        best.ticks += steady.ticks;
        if (!steady.reached) {
            continue;
        }
        const int sure = jitteredFinishes(openLevelFile, level, plan, profile, PolishDraw,
                                          PolishReplays, best.ticks, PolishReplays - best.sure);
        if (sure >= best.sure) {
            best.sure = sure;
            best.events = std::move(plan);
            slots = std::move(tried);
            changed = true;
        }
    }
    return changed;
}

}  // namespace

PolishedPlan polishPlan(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                        const std::vector<InputEvent>& events, const HandProfile& profile,
                        long budget) {
    PolishedPlan best{events, 0, 0};
    best.sure = jitteredFinishes(openLevelFile, level, events, profile, PolishDraw, PolishReplays,
                                 best.ticks);
    // The last weighing, of the plan it began with and the polished one, is kept within the budget.
    const long weighing = 2L * CheckReplays * replayPlan(openLevelFile, level, events).ticks;
    const std::optional<Timeline> start = timelineOf(events);
    const bool changed =
        start && improve(openLevelFile, level, *start, profile, budget - weighing, best);
    // Kept for doing well on the replays it was chosen by, a change may do no better on others:
    // the polished plan stands only where it does at least as well on draws of their own.
    const int before = jitteredFinishes(openLevelFile, level, events, profile, CheckDraw,
                                        CheckReplays, best.ticks);
    const int after = !changed ? before
                               : jitteredFinishes(openLevelFile, level, best.events, profile,
                                                  CheckDraw, CheckReplays, best.ticks);
    if (after < before) {
        best.events = events;
    }
    best.sure = std::max(before, after);
    return best;
}
