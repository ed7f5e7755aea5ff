#!/usr/bin/env bash
# Sets up a fresh machine, builds tavolin and the simulated instrument (only these two, so that
# the first window comes soon), starts the simulated instrument on a pseudo-terminal and starts
# tavolin connected to it as COM1. The program runs in run/ (its settings file,
# data folder and kinetic logs land there, not in the source tree). The simulator stops when
# tavolin exits. Extra arguments go to the simulator (see tools/instrument-sim --help).
set -euo pipefail
cd "$(dirname "$0")/.."
top="$PWD"
bash scripts/setup.sh
bash scripts/build.sh normal tavolin instrument-sim
# A first run starts from a trial configuration: four bands, the indices on, a few kinetic
# windows placed beside the spectrum window for the F keys. After that the program keeps its own settings file in run/.
mkdir -p run/DATA
cp -n data/simulate.rdg run/ 2>/dev/null || true
cp -n data/trial/Prismel.INI run/ 2>/dev/null || true

fifo="$(mktemp -u)"
mkfifo "$fifo"
"$top/build/normal/instrument-sim" "$@" >"$fifo" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; rm -f "$fifo"' EXIT
exec 3<"$fifo"
if ! read -r device <&3 || [ -z "$device" ]; then
  echo "run: the simulated instrument did not start" >&2
  exit 1
fi
echo "simulated instrument on $device"
# Keep draining the simulator's output so it never blocks on a full pipe.
cat <&3 >/dev/null &

cd run
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "no display: starting tavolin under Xvfb"
  TAVOLIN_COM1="$device" xvfb-run -a "$top/build/normal/tavolin"
else
  TAVOLIN_COM1="$device" "$top/build/normal/tavolin"
fi
