#!/usr/bin/env bash
# Configures and builds tavolin in build/<name>.
#   scripts/build.sh [normal|sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
kind="${1:-normal}"
case "$kind" in
  normal)   dir=build/normal;   extra=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  sanitize) dir=build/sanitize; extra=(-DCMAKE_BUILD_TYPE=Debug -DTAVOLIN_SANITIZE=ON -DTAVOLIN_BENCHMARKS=OFF) ;;
  *) echo "usage: $0 [normal|sanitize]" >&2; exit 2 ;;
esac
jobs="${TAVOLIN_JOBS:-$(nproc)}"
cmake -S . -B "$dir" -G Ninja "${extra[@]}" >/dev/null
cmake --build "$dir" -j "$jobs"
