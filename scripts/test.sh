#!/usr/bin/env bash
# Sets up a fresh machine, builds tavolin and runs every test: once in a normal build and once
# under AddressSanitizer and UndefinedBehaviorSanitizer (the tests carry the sanitizers' options).
# Fails when any test fails.
#   scripts/test.sh            both builds
#   scripts/test.sh normal     the normal build only
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests
kinds=("${@:-normal sanitize}")
read -r -a kinds <<<"${kinds[*]}"
jobs="${TAVOLIN_JOBS:-$(nproc)}"
for kind in "${kinds[@]}"; do
  echo "=== $kind build"
  bash scripts/build.sh "$kind"
  echo "=== $kind tests"
  (cd "build/$kind" && ctest --output-on-failure -j "$jobs" --timeout 600)
done
echo "=== all tests passed"
