#pragma once

#include <optional>
#include <string>
#include <vector>

#include "designer/difficulty.h"
#include "designer/passwatch.h"
#include "designer/solver.h"

// The verdict on a plan for a level: whether a hand of the profile can play it, it reaches the hand
// through the runner, never takes the ball through a bar and keeps its margin under jitter.
struct PlanVerdict {
    // What failed first.
    enum Failure { None, NoWay, Hand, Runner, ThroughBar, Margin, Spare };

    bool holds = false;  // everything below is as the profile asks
    Failure failure = NoWay;
    bool personal = false;  // and the profile is a person's: only then is the plan a proof
    LevelFigures figures;
    std::string difficulty;  // for a plan that holds
    std::optional<Passage> passage;
    std::string why;  // the first thing that fails, when one does
};

// What proving a level found: the plan (the proof, or the attempt that came nearest) and its
// verdict.
struct LevelProof {
    Playthrough plan;
    PlanVerdict verdict;
    bool proved() const { return verdict.holds && verdict.personal; }
};

// What in a plan a hand of the profile could not do, in plain words; empty when nothing.
std::vector<std::string> handFaults(const std::vector<InputEvent>& events,
                                    const HandProfile& profile);

// The whole verdict on a plan given as events after the standard start.
PlanVerdict judgePlan(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                      const std::vector<InputEvent>& events, const HandProfile& profile);

// Searches a plan with the limits' hand and judges it.
LevelProof proveLevel(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                      const SolverLimits& limits = {}, const SolverProgress& progress = {});

// The events of a runner script that begins "level N"; nothing when a line is no event.
std::optional<std::vector<InputEvent>> scriptEvents(const std::string& script);
