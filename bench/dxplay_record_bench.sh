#!/usr/bin/env bash
# Figures of dxplay record on a private Xvfb: the CPU share of a recording
# that waits 10 s for input (goal: at most 1 % of a core), and a burst of
# 10,000 button and key events, every one of which must reach the script.
# Medians over RUNS.
# Usage: bench/dxplay_record_bench.sh BUILD_DIR [RUNS]   (a build without sanitizers)
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
runs=${2:-3}
here=$(cd "$(dirname "$0")" && pwd)
DXPLAY=$build/tools/dxplay/dxplay
. "$here/../tests/x11/x11_lib.sh"
. "$here/../tests/x11/record_lib.sh"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }  # user + system, in clock ticks

stop_recording() {
  xdotool key ctrl+alt+shift+F12
  finish_recording "the benchmark"
  [ "$status" = 0 ] || fail "dxplay record ended with status $status: $(cat "$work/err")"
}

echo "machine: $(nproc) cores, load average $(cut -d" " -f1-3 /proc/loadavg)"
start_xvfb
start "$work/xev.log" xev -geometry 1024x768+0+0 -name DxRecordBench  # something to receive the input
hz=$(getconf CLK_TCK)

for (( i = 0; i < runs; i++ )); do
  rm -f "$work/idle.dxs"
  start_recording "$work/idle.dxs"
  before=$(cpu_ticks "$recorder")
  sleep 10
  after=$(cpu_ticks "$recorder")
  stop_recording
  awk -v t=$(( after - before )) -v hz="$hz" 'BEGIN { printf "%.2f\n", 100 * t / hz / 10 }'
done >"$work/idle"
echo "idle recording, CPU share of a core over 10 s (goal <= 1 %): $(median <"$work/idle") % (runs: $(echo $(cat "$work/idle")))"

clicks=2500 keys=2500  # 10,000 events: each a press and a release
for (( i = 0; i < runs; i++ )); do
  rm -f "$work/burst.dxs"
  start_recording "$work/burst.dxs"
  start_s=$EPOCHREALTIME
  xdotool mousemove 500 400 click --repeat "$clicks" --delay 0 1 key --repeat "$keys" --delay 0 --repeat-delay 0 b
  sent_s=$EPOCHREALTIME
  stop_recording
  done_s=$EPOCHREALTIME
  got_clicks=$(tr -d '\r' <"$work/burst.dxs" | grep -c '^MOUSE LC$' || true)
  got_keys=$(tr -d '\r' <"$work/burst.dxs" | grep -c '^KEY \$42 PRESS$' || true)
  [ "$got_clicks" = "$clicks" ] && [ "$got_keys" = "$keys" ] ||
    fail "burst: $got_clicks of $clicks clicks and $got_keys of $keys key presses recorded"
  awk -v a="$start_s" -v b="$sent_s" -v c="$done_s" 'BEGIN { printf "%.3f %.3f\n", b - a, c - b }'
done >"$work/burst"
echo "burst of 10,000 events: every one recorded in each of $runs runs;" \
  "sent in $(awk '{ print $1 }' "$work/burst" | median) s, stopped and saved $(awk '{ print $2 }' "$work/burst" | median) s after"
