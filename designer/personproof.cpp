#include "designer/personproof.h"

#include <cstdlib>
#include <sstream>

#include "designer/planreplay.h"
#include "designer/proof.h"
#include "play/tickperiod.h"

namespace {

struct HandState {
    std::optional<InputEvent> last;  // the last pointer event
    long lastAt = 0;
    long tick = 0;
    long sinceCountdown = 0;
    long pressedAt = -1;
    long releasedAt = -1;
    int clicks = 0;
};

std::string pointerFault(HandState& hand, const InputEvent& event, const HandProfile& profile) {
    const long apart = hand.tick - hand.lastAt;
    if (hand.last && apart < 1) {
        return "two pointer events before one tick";
    }
    if (hand.last && (std::labs(long{event.x} - hand.last->x) > profile.maxStep * apart ||
                      std::labs(long{event.y} - hand.last->y) > profile.maxStep * apart)) {
        return "the pointer travels faster than " + std::to_string(profile.maxStep) +
               " pixels a tick";
    }
    if ((event.kind == InputEvent::Press || event.kind == InputEvent::Release) &&
        event.button != MouseButton::Left) {
        return "a button other than the left";
    }
    if (event.kind == InputEvent::Click && ++hand.clicks > 1) {
        return "a second start click";
    }
    if (event.kind == InputEvent::Press) {
        if (hand.pressedAt >= 0 && hand.releasedAt < hand.pressedAt) {
            return "a press without a release before it";
        }
        if (hand.releasedAt >= 0 && hand.tick - hand.releasedAt < profile.minGap) {
            return "a press less than " + std::to_string(profile.minGap) + " ticks after a release";
        }
        hand.pressedAt = hand.tick;
    }
    if (event.kind == InputEvent::Release) {
        if (hand.pressedAt < 0 || hand.tick - hand.pressedAt < profile.minHold) {
            return "a grab held less than " + std::to_string(profile.minHold) + " ticks";
        }
        hand.releasedAt = hand.tick;
    }
    hand.last = event;
    hand.lastAt = hand.tick;
    return {};
}

int grabsIn(const std::vector<InputEvent>& events) {
    int grabs = 0;
    for (const InputEvent& event : events) {
        grabs += event.kind == InputEvent::Press;
    }
    return grabs;
}

}  // namespace

std::vector<std::string> handFaults(const std::vector<InputEvent>& events,
                                    const HandProfile& profile) {
    std::vector<std::string> faults;
    HandState hand;
    for (const InputEvent& event : events) {
        std::string fault;
        if (event.kind == InputEvent::Tick) {
            hand.tick += event.count;
            hand.sinceCountdown += event.count;
            if (hand.sinceCountdown > profile.countdownEvery) {
                fault = "more than " + std::to_string(profile.countdownEvery) +
                        " ticks without a countdown step";
            }
        } else if (event.kind == InputEvent::Countdown) {
            hand.sinceCountdown = 0;
        } else if (event.kind >= InputEvent::Move && event.kind <= InputEvent::Click) {
            fault = pointerFault(hand, event, profile);
        } else {
            fault = "nothing a player at the mouse does: " + describe(event);
        }
        if (!fault.empty()) {
            faults.push_back("tick " + std::to_string(hand.tick) + ": " + fault);
        }
    }
    return faults;
}

PlanVerdict judgePlan(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                      const std::vector<InputEvent>& events, const HandProfile& profile) {
    PlanVerdict verdict;
    verdict.personal = profile.isPersons();
    verdict.figures.grabs = grabsIn(events);
    verdict.figures.replays = profile.replays;
    const std::vector<std::string> faults = handFaults(events, profile);
    if (!faults.empty()) {
        verdict.failure = PlanVerdict::Hand;
        verdict.why = faults.front();
        return verdict;
    }
    Playthrough asPlayed;
    asPlayed.events = events;
    if (!provesLevel(openLevelFile, level, playthroughScript(level, asPlayed), verdict.why)) {
        verdict.failure = PlanVerdict::Runner;
        return verdict;
    }
    const ReplayOutcome played = replayPlan(openLevelFile, level, events);
    verdict.passage = played.passage;
    if (played.passage) {
        verdict.failure = PlanVerdict::ThroughBar;
        verdict.why = "the ball goes through " + played.passage->bar + " at " +
                      std::to_string(played.passage->left) + ", " +
                      std::to_string(played.passage->top);
        return verdict;
    }
    // The first tick comes before the start click.
    verdict.figures.seconds = double(played.ticks - 1) * TickPeriodMs / 1000.0;
    long replayTicks = 0;
    verdict.figures.margin = jitteredFinishes(openLevelFile, level, events, profile, MarginSeed,
                                              profile.replays, replayTicks);
    if (verdict.figures.margin < profile.needed) {
        verdict.failure = PlanVerdict::Margin;
        verdict.why = "only " + std::to_string(verdict.figures.margin) + " of " +
                      std::to_string(profile.replays) + " jittered replays finish";
        return verdict;
    }
    const int spare = jitteredFinishes(openLevelFile, level, events, profile, SpareSeed,
                                       profile.spareReplays, replayTicks);
    if (spare < profile.spareNeeded) {
        verdict.failure = PlanVerdict::Spare;
        verdict.why = "the margin holds by chance: only " + std::to_string(spare) + " of " +
                      std::to_string(profile.spareReplays) + " further jittered replays finish";
        return verdict;
    }
    verdict.holds = true;
    verdict.failure = PlanVerdict::None;
    verdict.difficulty = difficultyWord(verdict.figures);
    return verdict;
}

LevelProof proveLevel(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                      const SolverLimits& limits, const SolverProgress& progress) {
    LevelProof proof;
    proof.plan = solveLevel(openLevelFile, level, limits, progress);
    if (!proof.plan.solved) {
        proof.verdict.why = "no way to the hand found within the search's limit";
        return proof;
    }
    proof.verdict = judgePlan(openLevelFile, level, proof.plan.events, limits.hand);
    return proof;
}

std::optional<std::vector<InputEvent>> scriptEvents(const std::string& script) {
    std::istringstream lines(script);
    std::string line;
    std::getline(lines, line);
    std::vector<InputEvent> events;
    while (std::getline(lines, line)) {
        const std::string text = line.substr(0, line.find('#'));
        if (text.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        const std::optional<InputEvent> event = parseEvent(text);
        if (!event) {
            return std::nullopt;
        }
        events.push_back(*event);
    }
    return events;
}
