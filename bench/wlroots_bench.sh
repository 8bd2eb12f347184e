#!/usr/bin/env bash
# Figures of dxplay's wlroots backend on a private headless sway (two
# outputs, pixman): lines per second of a tight script and of one that
# moves the pointer on every line, the cost of a GETCOLOR, and the latency
# of dxplay stop from the command to the run's end. Medians over RUNS.
# Usage: bench/wlroots_bench.sh BUILD_DIR [RUNS]   (a build without sanitizers)
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
runs=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
DXPLAY=$build/tools/dxplay/dxplay
. "$here/../tests/wayland/wayland_lib.sh"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
wall_of() {  # cmd...: its wall seconds
  local start=$EPOCHREALTIME
  "$@" >/dev/null 2>&1 || true
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f\n", b - a }'
}

echo "machine: $(nproc) cores, load average $(cut -d" " -f1-3 /proc/loadavg)"
start_sway
start_wev HEADLESS-1 "$work/wev1.log"

# Each run's fixed cost (connection, devices, the seat's settle times) is
# measured with an empty script and taken off.
make_script "$work/empty.dxs" "" ENDSCRIPT
tight() {  # file count line...
  local file=$1 count=$2
  shift 2
  local code=("LOOP $count") i
  for (( i = 0; i < 50; i++ )); do code+=("$@"); done
  code+=(ENDLOOP ENDSCRIPT)
  make_script "$file" "" "${code[@]}"
  echo $(( 2 + count * (50 * $# + 1) ))
}
lines_long=$(tight "$work/long.dxs" 40000 "LONG a")
lines_move=$(tight "$work/move.dxs" 400 "MOUSE GO .100.100" "MOUSE GO .101.100")
lines_color=$(tight "$work/color.dxs" 2 "LONG a" "GETCOLOR a .50.50")
player() { in_session "$(unprivileged_dxplay)" run "$1" --quiet; }
base=$(for (( i = 0; i < runs; i++ )); do wall_of player "$work/empty.dxs"; done | median)
rate() {  # file lines
  local t
  t=$(for (( i = 0; i < runs; i++ )); do wall_of player "$1"; done | median)
  awk -v t="$t" -v b="$base" -v n="$2" 'BEGIN { printf "%.0f", n / (t - b) }'
}
echo "fixed cost of a run (connection, devices, settle on a seat without devices): ${base} s"
echo "lines/s, median of $runs runs, the fixed cost taken off (goal >= 200000 for LONG):"
printf '  %-40s %12s\n' "LONG a" "$(rate "$work/long.dxs" "$lines_long")"
printf '  %-40s %12s\n' "MOUSE GO, every line" "$(rate "$work/move.dxs" "$lines_move")"
printf '  %-40s %12s\n' "GETCOLOR every other line" "$(rate "$work/color.dxs" "$lines_color")"

# dxplay stop: from the command until it returns (the run has ended and
# released what it held; starting the stop process is part of it), and
# from the stop signal until the run has ended (its registration is gone).
make_script "$work/delay.dxs" "" 'KEY $41' "DELAY 100000"
registered() { ls "$runtime"/dxplay/run-* >/dev/null 2>&1; }
stop_ms=() end_ms=()
for (( i = 0; i < 2 * runs; i++ )); do
  start_player run "$work/delay.dxs" --quiet
  wait_for 10 registered || fail "the run did not start"
  sleep 1  # past the devices' settle time: the run is in its DELAY
  registration=$(ls "$runtime"/dxplay/run-* | head -1)
  start=$EPOCHREALTIME
  if (( i % 2 == 0 )); then
    in_session "$(unprivileged_dxplay)" stop >/dev/null
    stop_ms+=("$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }')")
  else
    kill -USR1 "$player"
    while [ -e "$registration" ]; do :; done
    end_ms+=("$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }')")
  fi
  finish_dxplay "stop $i"
done
echo "dxplay stop until it returned, median of $runs: $(printf '%s\n' "${stop_ms[@]}" | median) ms"
echo "stop signal until the run ended, median of $runs: $(printf '%s\n' "${end_ms[@]}" | median) ms (goal <= 20)"
