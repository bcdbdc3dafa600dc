#include "designer/planreplay.h"

#include <algorithm>
#include <random>
#include <ranges>

#include "headless/headlessgame.h"

int drawUpTo(std::mt19937& random, int most) {
    return most <= 0 ? 0 : int(random() % unsigned(most + 1));
}

ReplayOutcome replayPlan(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                         const std::vector<InputEvent>& events) {
    HeadlessGame headless(openLevelFile);
    headless.standardStart(level);
    const TForm1& form = headless.game.Form1;
    PassWatch watch;
    ReplayOutcome outcome;
    const auto play = [&](const InputEvent& event) {
        const bool on = headless.play(event);
        watch.observe(form);
        outcome.ticks += event.kind == InputEvent::Tick;
        outcome.passage = watch.found();
        outcome.reached = headless.reported(GameEvent::HandReached) &&
                          !headless.reported(GameEvent::BallLost) && !outcome.passage;
        return on && !outcome.reached && !outcome.passage && !headless.game.Form2.Visible;
    };
    for (const InputEvent& event : events) {
        InputEvent one = event;
        const long count = event.isTimer() ? event.count : 1;
        one.count = 1;
        for (long i = 0; i < count; ++i) {
            if (!play(one)) {
                return outcome;
            }
        }
    }
    return outcome;
}

std::vector<InputEvent> jittered(const std::vector<InputEvent>& events, const HandProfile& profile,
                                 unsigned start) {
    std::mt19937 random(start);
    struct Timed {
        long tick;
        InputEvent event;
    };
    std::vector<Timed> moved;
    std::vector<InputEvent> out;
    long ticks = 0;
    for (const InputEvent& event : events) {
        if (event.kind == InputEvent::Tick) {
            ticks += event.count;
            continue;
        }
        InputEvent landed = event;
        long at = ticks;
        if (event.isPointerAction()) {
            landed.x += drawUpTo(random, 2 * profile.jitterPixels) - profile.jitterPixels;
            landed.y += drawUpTo(random, 2 * profile.jitterPixels) - profile.jitterPixels;
            at += drawUpTo(random, profile.jitterTicks);
        }
        moved.push_back({at, landed});
    }
    std::ranges::stable_sort(moved, {}, &Timed::tick);
    auto next = moved.begin();
    for (long tick = 0; tick <= ticks; ++tick) {
        for (; next != moved.end() && next->tick == tick; ++next) {
            out.push_back(next->event);
        }
        if (tick < ticks) {
            out.push_back({InputEvent::Tick});
        }
    }
    for (; next != moved.end(); ++next) {
        out.push_back(next->event);
    }
    return out;
}

int jitteredFinishes(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                     const std::vector<InputEvent>& events, const HandProfile& profile,
                     unsigned firstDraw, int runs, long& ticks, int mostMisses) {
    int finished = 0;
    for (int run = 0; run < runs && run - finished <= mostMisses; ++run) {
        const ReplayOutcome outcome =
            replayPlan(openLevelFile, level, jittered(events, profile, firstDraw + unsigned(run)));
        ticks += outcome.ticks;
        finished += outcome.reached;
    }
    return finished;
}
