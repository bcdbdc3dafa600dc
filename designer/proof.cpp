#include "designer/proof.h"

#include <algorithm>
#include <future>
#include <mutex>
#include <numeric>
#include <sstream>

#include "designer/handfaults.h"
#include "designer/planreplay.h"
#include "headless/scenario.h"
#include "play/rules.h"
#include "play/tickperiod.h"

namespace {

// What a player at the mouse does: the timers come by themselves, and the menus, the round-end
// dialog and the scenario runner's other commands have no place in a proof.
bool isPlayersLine(const std::string& line) {
    const std::string text = line.substr(0, line.find('#'));
    if (text.find_first_not_of(" \t\r") == std::string::npos) {
        return true;
    }
    const std::optional<InputEvent> event = parseEvent(text);
    return event && event->kind <= InputEvent::Click && event->kind != InputEvent::Flight &&
           event->kind != InputEvent::Blink;
}

// The first end of the round the rules reported: a lost ball stops the frame tick, so the hand is
// only reached with every ball kept.
bool reachedHandOf(const std::vector<GameEvent>& events, int32 level) {
    const auto end = std::ranges::find_if(events, [](const GameEvent& event) {
        return event.kind == GameEvent::HandReached || event.kind == GameEvent::BallLost ||
               event.kind == GameEvent::PointsRanOut;
    });
    return end != events.end() && end->kind == GameEvent::HandReached && end->level == level &&
           end->points == rules::bonusFor(level);
}

// The events of a script that the runner has read line by line already.
std::vector<InputEvent> eventsOf(const std::string& script) {
    std::istringstream lines(script);
    std::string line;
    std::getline(lines, line);
    std::vector<InputEvent> events;
    while (std::getline(lines, line)) {
        if (const std::optional<InputEvent> event = parseEvent(line.substr(0, line.find('#')))) {
            events.push_back(*event);
        }
    }
    return events;
}

// What the script asks of the hand, where the ball goes, and how often it still reaches the hand
// jittered, for a script that reaches it.
void judgeHand(const TForm1::LevelFileOpener& openLevelFile, const HandProfile& profile,
               LevelProof& proof) {
    const std::vector<InputEvent> events = eventsOf(proof.script);
    proof.figures.grabs = std::ranges::count(events, InputEvent::Press, &InputEvent::kind);
    proof.figures.replays = profile.replays;
    const std::vector<std::string> faults = handFaults(events, profile);
    if (!faults.empty()) {
        proof.verdict = LevelProof::NotAHand;
        proof.handFault = faults.front();
        return;
    }
    const ReplayOutcome played = replayPlan(openLevelFile, proof.level, events);
    proof.passage = played.passage;
    if (played.passage) {
        proof.verdict = LevelProof::ThroughBar;
        return;
    }
    // The first tick comes before the start click.
    proof.figures.seconds = double(played.ticks - 1) * TickPeriodMs / 1000.0;
    long ticks = 0;
    proof.figures.margin = jitteredFinishes(openLevelFile, proof.level, events, profile, MarginDraw,
                                            profile.replays, ticks);
    if (proof.figures.margin < profile.needed) {
        proof.verdict = LevelProof::NoMargin;
        return;
    }
    proof.spareReplays = profile.spareReplays;
    proof.spare = jitteredFinishes(openLevelFile, proof.level, events, profile, SpareDraw,
                                   profile.spareReplays, ticks);
    if (proof.spare < profile.spareNeeded) {
        proof.verdict = LevelProof::MarginByChance;
        return;
    }
    proof.difficulty = difficultyWord(proof.figures);
}

}  // namespace

LevelProof checkScript(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                       const std::string& script, const HandProfile& profile) {
    LevelProof proof = checkRun(openLevelFile, level, script);
    proof.personal = profile.isPersons();
    if (proof.holds()) {
        judgeHand(openLevelFile, profile, proof);
    }
    return proof;
}

LevelProof checkRun(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                    const std::string& script) {
    LevelProof proof;
    proof.personal = false;
    proof.level = level;
    proof.script = script;
    std::istringstream lines(script);
    std::string line;
    std::getline(lines, line);
    if (line != "level " + std::to_string(level)) {
        proof.verdict = LevelProof::WrongStart;
        return proof;
    }
    Scenario scenario(openLevelFile);
    std::ostringstream dumps;
    scenario.execute(line, dumps);
    long sinceCountdown = 0;
    for (int number = 2; std::getline(lines, line); ++number) {
        if (!isPlayersLine(line) || !scenario.execute(line, dumps)) {
            proof.verdict = LevelProof::NotPlayersLine;
            proof.line = number;
            return proof;
        }
        const std::optional<InputEvent> event = parseEvent(line.substr(0, line.find('#')));
        if (event && event->kind == InputEvent::Countdown) {
            sinceCountdown = 0;
        } else if (event && event->kind == InputEvent::Tick &&
                   (sinceCountdown += event->count) > TicksPerCountdown) {
            proof.verdict = LevelProof::TimersWrong;
            proof.line = number;
            return proof;
        }
    }
    const bool reached =
        scenario.player.breach().empty() && reachedHandOf(scenario.platform.events, level);
    proof.verdict = reached ? LevelProof::Proved : LevelProof::HandNotReached;
    return proof;
}

namespace {

// How near a proof that does not hold came: a way that reached the hand and kept more of its margin
// is nearer; among equals the earlier.
int nearness(const LevelProof& proof) {
    if (proof.verdict == LevelProof::NotFound) {
        return -1;
    }
    return proof.figures.margin * 1000 + proof.spare;
}

LevelProof proveAtPace(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                       const SolverLimits& limits, const SolverProgress& progress) {
    const Playthrough found = solveLevel(openLevelFile, level, limits, progress);
    if (!found.solved) {
        LevelProof none;
        none.level = level;
        none.playthrough = found;  // the attempt that came nearest
        none.personal = limits.hand.isPersons();
        return none;
    }
    LevelProof proof =
        checkScript(openLevelFile, level, playthroughScript(level, found), limits.hand);
    proof.playthrough = found;
    return proof;
}

// Paces after the first are searched this many at a time, each on a thread of its own: a level the
// first pace proves costs no more, and one without a proof less time. The proof taken is the first
// in the order of the paces that holds, whichever search ends first, so a level file always gives
// the same proof.
constexpr int Together = 2;

// What the searches at several paces tell of their progress, told on one at a time as a share of
// them all; and their stop: by the caller's answer, or, for the paces after one that gave a proof,
// by that proof.
class PaceProgress {
public:
    PaceProgress(const SolverProgress& progress, int paces)
        : progress(progress), used(std::size_t(paces), 0.0), stopFrom(paces) {}

    SolverProgress forPace(int pace) {
        return [this, pace](double share) {
            const std::lock_guard lock(mutex);
            used[std::size_t(pace)] = share;
            tell();
            return !callerStopped && pace < stopFrom;
        };
    }
    void done(int pace) {
        const std::lock_guard lock(mutex);
        used[std::size_t(pace)] = 1;
        tell();
    }
    void stopAfter(int pace) {
        const std::lock_guard lock(mutex);
        stopFrom = pace + 1;
    }
    bool stopped() const {
        const std::lock_guard lock(mutex);
        return callerStopped;
    }

private:
    void tell() {
        const double all = std::accumulate(used.begin(), used.end(), 0.0) / double(used.size());
        callerStopped = callerStopped || (progress && !progress(all));
    }

    const SolverProgress& progress;
    mutable std::mutex mutex;
    std::vector<double> used;
    int stopFrom;
    bool callerStopped = false;
};

}  // namespace

LevelProof proveLevel(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                      const SolverLimits& limits, const SolverProgress& progress) {
    if (rules::refusesLevelFile(openLevelFile())) {
        LevelProof refused;
        refused.verdict = LevelProof::Refused;
        refused.level = level;
        return refused;
    }
    const int paces = std::clamp(limits.paces, 1, int(std::size(Paces)));
    PaceProgress told(progress, paces);
    std::optional<LevelProof> nearest;
    long played = 0;
    for (int first = 0; first < paces && !told.stopped();) {
        const int end = std::min(paces, first == 0 ? 1 : first + Together);
        std::vector<std::future<LevelProof>> searches;
        for (int i = first; i < end; ++i) {
            searches.push_back(std::async(std::launch::async, [&, i] {
                SolverLimits atPace = limits;
                atPace.pace = Paces[i];
                LevelProof proof = proveAtPace(openLevelFile, level, atPace, told.forPace(i));
                told.done(i);
                return proof;
            }));
        }
        for (int i = first; i < end; ++i) {
            LevelProof proof = searches[std::size_t(i - first)].get();
            played += proof.playthrough.searchTicks;
            if (proof.holds()) {
                told.stopAfter(i);  // the searches still running are waited for, not taken
                proof.playthrough.searchTicks = played;
                return proof;
            }
            if (!nearest || nearness(proof) > nearness(*nearest)) {
                nearest = std::move(proof);
            }
        }
        first = end;
    }
    nearest->playthrough.searchTicks = played;
    return *nearest;
}
