// The trial for as long as one asks: sequences from random seeds until the time is up, then the
// sequences and actions per second and each rule broken, with the first shortest sequence found
// for it.
//
//   trial-run [seconds] [actions per sequence]
//   trial-run --replay "N Scan=3 Mode Start"     one sequence, with a trace of every step
//   trial-run --seeds first count [actions]      the sequences of those seeds, without shrinking

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "trial/TrialRun.h"

namespace {
constexpr int ShownPerRule = 3;
}

int main(int argc, char** argv) {
    using namespace tav::trial;
    if (argc > 2 && std::string(argv[1]) == "--replay") {
        const TrialOutcome outcome = RunSequence(ParseSequence(argv[2]), &std::cout);
        if (!outcome.broken) {
            std::printf("clean\n");
            return 0;
        }
        std::printf("Rule broken at action %d: %s\n  %s\n", outcome.action + 1, RuleName(outcome.broken->rule).c_str(),
                    outcome.broken->detail.c_str());
        return 1;
    }
    if (argc > 3 && std::string(argv[1]) == "--seeds") {
        const uint32_t first = static_cast<uint32_t>(std::atol(argv[2]));
        const int count = std::atoi(argv[3]);
        const int actions = argc > 4 ? std::atoi(argv[4]) : 30;
        std::map<Rule, int> broken;
        int clean = 0;
        for (int k = 0; k < count; ++k) {
            const TrialOutcome outcome = RunSequence(RandomSequence(first + k, actions));
            if (outcome.broken) ++broken[outcome.broken->rule];
            else ++clean;
        }
        std::printf("%d of %d sequences ran clean\n", clean, count);
        for (const auto& [rule, n] : broken) std::printf("%d x %s\n", n, RuleName(rule).c_str());
        return clean == count ? 0 : 1;
    }
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    const int length = argc > 2 ? std::atoi(argv[2]) : 30;
    std::random_device device;
    std::mt19937 seeds(device());
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };

    long sequences = 0, clean = 0, actions = 0;
    double running = 0;  // seconds spent running sequences, shrinking left out
    std::map<Rule, int> broken;
    std::map<Rule, std::vector<std::string>> shown;  // a few shortest sequences of each rule
    while (elapsed() < seconds) {
        const uint32_t seed = seeds();
        const auto before = std::chrono::steady_clock::now();
        const TrialOutcome outcome = RunSequence(RandomSequence(seed, length));
        running += std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count();
        ++sequences;
        actions += outcome.actionsRun;
        if (!outcome.broken) {
            ++clean;
            continue;
        }
        const Rule rule = outcome.broken->rule;
        if (broken[rule]++ < ShownPerRule) shown[rule].push_back(RunSeed(seed, length).report);
    }
    std::printf("%ld sequences of up to %d actions in %.1f s: %.1f sequences/s, %.0f actions/s (shrinking left out)\n",
                sequences, length, elapsed(), sequences / running, actions / running);
    std::printf("%ld sequences ran clean, %ld broke a rule\n", clean, sequences - clean);
    for (const auto& [rule, count] : broken) {
        std::printf("\n%d x %s\n", count, RuleName(rule).c_str());
        for (const std::string& report : shown[rule]) std::printf("%s", report.c_str());
    }
    return clean == sequences ? 0 : 1;
}
