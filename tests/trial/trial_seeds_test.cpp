// The trial on fixed seeds, in every build: each shard plays the sequences of its seeds against
// the simulated instrument, and a rule broken fails it with the seed and the shortest sequence
// that still breaks the rule, in the text that trial-run --replay and a test take.

#include <gtest/gtest.h>

#include <string>

#include "trial/TrialRun.h"

#ifndef TAVOLIN_TRIAL_SEEDS_PER_SHARD
#define TAVOLIN_TRIAL_SEEDS_PER_SHARD 150
#endif

namespace tav::trial {
namespace {

constexpr int Shards = 12;
constexpr int SeedsPerShard = TAVOLIN_TRIAL_SEEDS_PER_SHARD;
constexpr int ActionsPerSequence = 30;

class TrialSeeds : public ::testing::TestWithParam<int> {};

TEST_P(TrialSeeds, EverySequenceKeepsEveryRule) {
    const uint32_t first = 1 + static_cast<uint32_t>(GetParam()) * 10000u;
    int broken = 0;
    for (uint32_t seed = first; seed < first + SeedsPerShard; ++seed) {
        const TrialOutcome outcome = RunSequence(RandomSequence(seed, ActionsPerSequence));
        if (!outcome.broken) continue;
        // Shrinking costs hundreds of runs: the first sequence broken is shrunk, the rest named.
        if (++broken == 1) ADD_FAILURE() << RunSeed(seed, ActionsPerSequence).report;
        else ADD_FAILURE() << "seed " << seed << " breaks: " << RuleName(outcome.broken->rule);
    }
}

INSTANTIATE_TEST_SUITE_P(Shard, TrialSeeds, ::testing::Range(0, Shards),
                         [](const ::testing::TestParamInfo<int>& info) { return "Seeds" + std::to_string(info.param); });

}  // namespace
}  // namespace tav::trial
