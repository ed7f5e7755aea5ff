#!/usr/bin/env bash
# Configures and builds tavolin in build/<name>: everything, or only the targets named.
#   scripts/build.sh [normal|sanitize] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
kind="${1:-normal}"
shift || true
case "$kind" in
  normal)   dir=build/normal;   extra=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  sanitize) dir=build/sanitize; extra=(-DCMAKE_BUILD_TYPE=Debug -DTAVOLIN_SANITIZE=ON -DTAVOLIN_BENCHMARKS=OFF) ;;
  *) echo "usage: $0 [normal|sanitize] [target...]" >&2; exit 2 ;;
esac
jobs="${TAVOLIN_JOBS:-$(nproc)}"
cmake -S . -B "$dir" -G Ninja "${extra[@]}" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$dir" -j "$jobs" "${targets[@]}"
