#!/usr/bin/env bash
# Start-up of two or more builds side by side: each round starts every program once, in turn,
# under one Xvfb, and TimeToWindow measures the time to its first mapped window. Prints each
# program's median (wall ms and CPU ms) and, for every program after the first, the median over
# rounds of its time divided by the first one's in the same round: rounds share the machine's
# load, so the ratio is steadier than the times on a shared machine.
# Usage: bench/time-to-window.sh TIME_TO_WINDOW RUNS BASE_PROGRAM OTHER_PROGRAM...
set -euo pipefail

if [ $# -lt 4 ]; then
  echo "usage: $0 TIME_TO_WINDOW RUNS BASE_PROGRAM OTHER_PROGRAM..." >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a "$0" "$@"
fi
probe=$1
runs=$2
shift 2
# Every run starts as the first start of a user: no kept settings, no recovery files.
home=$(mktemp -d)
runtime=$(mktemp -d)
results=$(mktemp)
trap 'rm -rf "$home" "$runtime" "$results"' EXIT

for _ in $(seq "$runs"); do
  for program in "$@"; do
    if times=$(HOME=$home XDG_RUNTIME_DIR=$runtime timeout 30 "$probe" "$program"); then
      echo "$program $times" >>"$results"
    fi
  done
done

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'; }

base=$1
for program in "$@"; do
  wall=$(awk -v p="$program" '$1 == p { print $2 }' "$results" | median)
  cpu=$(awk -v p="$program" '$1 == p { print $3 }' "$results" | median)
  echo "$program: median $wall ms to the window, $cpu ms CPU"
  if [ "$program" != "$base" ]; then
    pairs=$(awk -v b="$base" -v o="$program" '
      $1 == b { bw = $2; bc = $3; have = 1 }
      $1 == o && have { print $2 / bw, $3 / bc; have = 0 }' "$results")
    echo "  / $base, median over rounds: wall $(echo "$pairs" | awk '{ print $1 }' | median)," \
      "CPU $(echo "$pairs" | awk '{ print $2 }' | median)"
  fi
done
