#include "trial/TrialRun.h"

#include <sstream>

#include "trial/TrialWorld.h"

namespace tav::trial {

namespace {

bool Breaks(const std::vector<Action>& sequence, Rule rule) {
    const TrialOutcome outcome = RunSequence(sequence);
    return outcome.broken && outcome.broken->rule == rule;
}

std::vector<Action> Without(const std::vector<Action>& sequence, size_t from, size_t count) {
    std::vector<Action> rest(sequence.begin(), sequence.begin() + from);
    rest.insert(rest.end(), sequence.begin() + std::min(sequence.size(), from + count), sequence.end());
    return rest;
}

}  // namespace

TrialOutcome RunSequence(const std::vector<Action>& sequence, std::ostream* trace) {
    TrialOutcome outcome;
    TrialWorld world(trace);
    auto broken = [&](int action) {
        if (world.Breaks().empty()) return false;
        outcome.broken = world.Breaks().front();
        outcome.action = action;
        return true;
    };
    if (!broken(-1)) {
        for (size_t i = 0; i < sequence.size(); ++i) {
            world.Do(sequence[i]);
            outcome.actionsRun = static_cast<int>(i) + 1;
            if (broken(static_cast<int>(i))) break;
        }
    }
    outcome.steps = world.Steps();
    return outcome;
}

std::vector<Action> Shrink(std::vector<Action> sequence, Rule rule) {
    // Chunks first, halving their size, then single actions.
    for (size_t chunk = std::max<size_t>(sequence.size() / 2, 1); chunk >= 1;) {
        bool dropped = false;
        for (size_t from = 0; from < sequence.size();) {
            std::vector<Action> candidate = Without(sequence, from, chunk);
            if (candidate.size() < sequence.size() && Breaks(candidate, rule)) {
                sequence = std::move(candidate);
                dropped = true;
            } else {
                from += chunk;
            }
        }
        if (chunk == 1 && !dropped) break;
        if (!dropped) chunk /= 2;
        else chunk = std::min(chunk, std::max<size_t>(sequence.size() / 2, 1));
    }
    // Then what each action carries beyond its name.
    for (Action& a : sequence) {
        for (auto simpler : {+[](Action& x) { x.answers.clear(); }, +[](Action& x) { x.escapeAt = 0; },
                             +[](Action& x) { if (x.answers.size() > 1) x.answers.pop_back(); }}) {
            const Action kept = a;
            simpler(a);
            if (a == kept) continue;
            if (!Breaks(sequence, rule)) a = kept;
        }
    }
    const TrialOutcome last = RunSequence(sequence);
    if (last.broken && last.action + 1 < static_cast<int>(sequence.size())) sequence.resize(last.action + 1);
    return sequence;
}

std::string Report(const std::string& origin, const TrialOutcome& outcome, const std::vector<Action>& shrunk,
                   const TrialOutcome& shrunkOutcome) {
    std::ostringstream out;
    const RuleBreak& b = shrunkOutcome.broken ? *shrunkOutcome.broken : *outcome.broken;
    out << "Rule broken: " << RuleName(b.rule) << "\n"
        << "  " << origin << ": at action " << outcome.action + 1 << " of the sequence\n"
        << "  shortest sequence (" << shrunk.size() << " actions):\n"
        << "    \"" << ToText(shrunk) << "\"\n"
        << "  " << b.detail << "\n";
    return out.str();
}

SeedResult RunSeed(uint32_t seed, int length) {
    SeedResult result;
    const std::vector<Action> sequence = RandomSequence(seed, length);
    result.outcome = RunSequence(sequence);
    if (!result.outcome.broken) return result;
    std::vector<Action> prefix(sequence.begin(), sequence.begin() + (result.outcome.action + 1));
    const std::vector<Action> shrunk = Shrink(prefix, result.outcome.broken->rule);
    result.report = Report("seed " + std::to_string(seed), result.outcome, shrunk, RunSequence(shrunk));
    return result;
}

}  // namespace tav::trial
