#pragma once
// Running a trial: a sequence of actions in a fresh world until a rule breaks, the shortest
// sequence that still breaks the same rule (delta debugging: drop chunks of actions, then single
// ones, then their answers and Escapes), and the report of a broken rule with its seed and that
// sequence in the text a test replays.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "trial/TrialAction.h"
#include "trial/TrialObserver.h"

namespace tav::trial {

struct TrialOutcome {
    std::optional<RuleBreak> broken;  // the first rule broken
    int action = -1;                  // the index of the action it broke in; -1: at start-up
    int actionsRun = 0;
    int steps = 0;
};

TrialOutcome RunSequence(const std::vector<Action>& sequence, std::ostream* trace = nullptr);

// The shortest sequence found that still breaks `rule`, ending with the action it breaks in.
std::vector<Action> Shrink(std::vector<Action> sequence, Rule rule);

// Runs the seed's sequence; on a broken rule, shrinks it and returns the report ("" when clean).
struct SeedResult {
    TrialOutcome outcome;
    std::string report;
};
SeedResult RunSeed(uint32_t seed, int length);

std::string Report(const std::string& origin, const TrialOutcome& outcome, const std::vector<Action>& shrunk,
                   const TrialOutcome& shrunkOutcome);

}  // namespace tav::trial
