#!/usr/bin/env bash
# Plays random operator sequences against the simulated instrument for as long as asked and
# prints the sequences and actions per second and every rule broken, each with the shortest
# sequence found that still breaks it. The fixed seeds of the test suite (test_trial) are the
# same trial on a few hundred sequences.
#   scripts/trial.sh [seconds] [actions per sequence]        default 60 s, 30 actions
#   scripts/trial.sh --replay "N Scan=3 Mode Start"          one sequence, every step traced
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh normal trial-run >/dev/null
exec build/normal/tests/trial-run "$@"
