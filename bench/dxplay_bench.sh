#!/usr/bin/env bash
# Figures of dxplay on a private Xvfb, side by side with dxsim on the same
# scripts where dxsim has the figure: lines per second of a tight script for
# the whole process (status line on a pseudo-terminal, and output not a
# terminal), the reaction from a repaint to the line after a pixel wait, the
# stop key's latency, the CPU share of DELAY 3000, and clicks per second
# into a GTK application. Medians over RUNS.
# Usage: bench/dxplay_bench.sh BUILD_DIR [RUNS]   (a build without sanitizers)
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
runs=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
DXPLAY=$build/tools/dxplay/dxplay
DXSIM=$build/tools/dxsim/dxsim
PROBE=$build/tests/x11/x11_probe
. "$here/../tests/x11/x11_lib.sh"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
seconds_of() {  # cmd...: the wall seconds it took
  local start=$EPOCHREALTIME
  "$@" >/dev/null 2>&1 || true
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f\n", b - a }'
}

echo "machine: $(nproc) cores, load average $(cut -d" " -f1-3 /proc/loadavg) (figures by the wall clock follow the load)"
start_xvfb
start "$work/xev.log" xev -geometry 1024x768+0+0 -name DxBench  # something to receive the input

# A tight script: LOOP COUNT around BODY lines of LONG a; it runs
# 2 + COUNT * (BODY + 1) lines.
body=50
count=40000
lines_run=$(( 2 + count * (body + 1) ))
code=("LOOP $count")
for (( i = 0; i < body; i++ )); do code+=("LONG a"); done
code+=(ENDLOOP ENDSCRIPT)
make_dxs "$work/tight.dxs" "" "${code[@]}"

times_of() {  # cmd...: its wall seconds and its CPU seconds (user + system)
  local TIMEFORMAT='%R %U %S'
  { time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ printf "%s %.3f\n", $1, $2 + $3 }'
}

# Lines per second by the wall clock, and in parentheses by the CPU time the
# process used (which a loaded machine does not inflate).
lines_per_second() {  # cmd...
  local i
  "$@" >/dev/null 2>&1 || fail "$* ended with status $?"
  for (( i = 0; i < runs; i++ )); do times_of "$@"; done >"$work/times"
  printf '%.0f (%.0f)' "$(awk '{ print $1 }' "$work/times" | median | awk -v n="$lines_run" '{ print n / $1 }')" \
    "$(awk '{ print $2 }' "$work/times" | median | awk -v n="$lines_run" '{ print n / $1 }')"
}

echo "tight script, $lines_run lines, whole process, median of $runs runs (lines/s by wall clock (by CPU time); goal >= 200000):"
printf '  %-42s %20s\n' "dxplay, output not a terminal" "$(lines_per_second "$DXPLAY" run "$work/tight.dxs")"
printf '  %-42s %20s\n' "dxplay, status line on a terminal" \
  "$(lines_per_second script -qec "$DXPLAY run $work/tight.dxs" /dev/null)"
printf '  %-42s %20s\n' "dxplay --quiet" "$(lines_per_second "$DXPLAY" run "$work/tight.dxs" --quiet)"
printf '  %-42s %20s\n' "dxsim run, output discarded" "$(lines_per_second "$DXSIM" run "$work/tight.dxs")"

stop_process "$last_pid"  # xev: the probes below cover the screen themselves

# From a repaint of the probe's window to the click on the line after the
# wait, with nothing else in the loop and with a DELAY 1 in it.
react() {  # extra line of the loop ("" for none)
  local extra=()
  [ -z "$1" ] || extra=("$1")
  make_dxs "$work/react.dxs" "L1=10,10" "LONG a" "LONG b" "LOOP $(( runs * 4 ))" "GETCOLOR b 1" 'KEY $41 PRESS' \
    REPEAT "${extra[@]}" "GETCOLOR a 1" "UNTILNE a b" "MOUSE LC" ENDLOOP ENDSCRIPT
  start "$work/react.log" "$PROBE" react $(( runs * 4 ))
  local probe=$last_pid
  sleep 0.3  # the probe's window is up
  "$DXPLAY" run "$work/react.dxs" --quiet
  wait "$probe" || true
  median <"$work/react.log" | awk '{ printf "%.3f", $1 / 1000 }'
}
xdotool mousemove 512 384
echo "pixel wait, repaint to the next line, median of $(( runs * 4 )) (ms; goal <= 1):"
printf '  %-42s %20s\n' "dxplay, REPEAT GETCOLOR UNTILNE" "$(react "")"
printf '  %-42s %20s\n' "dxplay, the same with DELAY 1 in the loop" "$(react "DELAY 1")"
printf '  %-42s %20s\n' "dxsim" "n/a (simulated screen)"

# From the stop key to the end of the process, in a DELAY and in a loop.
make_dxs "$work/stop_delay.dxs" "" 'KEY $41 PRESS' "DELAY 100000" ENDSCRIPT
make_dxs "$work/stop_loop.dxs" "" 'KEY $41 PRESS' REPEAT "LONG a" "UNTILNE a a" ENDSCRIPT
echo "stop key to the end of the process, median of $runs (ms; goal <= 20):"
for script in stop_delay stop_loop; do
  "$PROBE" stop "$runs" Control_L Alt_L Shift_L F12 -- "$DXPLAY" run "$work/$script.dxs" --quiet >"$work/$script.log"
  printf '  %-42s %20s\n' "dxplay, ${script#stop_}" "$(awk '{ print $1 }' "$work/$script.log" | median | awk '{ printf "%.2f", $1 / 1000 }')"
done

# CPU share of one core while DELAY 3000 waits.
make_dxs "$work/delay.dxs" "" "DELAY 3000" ENDSCRIPT
cpu_share() {  # cmd...
  local i
  for (( i = 0; i < 3; i++ )); do times_of "$@" | awk '{ printf "%.2f\n", 100 * $2 / $1 }'; done | median
}
# A pixel poll of about 3 s that never sees a change, with DELAY 1 between reads.
make_dxs "$work/poll.dxs" "L1=10,10" "LONG a" "LOOP 3000" "DELAY 1" "GETCOLOR a 1" ENDLOOP ENDSCRIPT
echo "CPU share of one core, median of 3 (%; goal <= 5 for DELAY 3000):"
printf '  %-42s %20s\n' "dxplay, DELAY 3000" "$(cpu_share "$DXPLAY" run "$work/delay.dxs" --quiet)"
printf '  %-42s %20s\n' "dxplay, 3000 x (DELAY 1, GETCOLOR)" "$(cpu_share "$DXPLAY" run "$work/poll.dxs" --quiet)"
printf '  %-42s %20s\n' "dxsim, DELAY 3000" "n/a (virtual clock: $(seconds_of "$DXSIM" run "$work/delay.dxs") s)"

# Pixel reads per second, the rate of a poll without DELAY (it keeps a core busy).
make_dxs "$work/reads.dxs" "L1=10,10" "LONG a" "LOOP 20000" "GETCOLOR a 1" ENDLOOP ENDSCRIPT
echo "GETCOLOR lines per second, median of $runs (by wall clock (by CPU time)):"
printf '  %-42s %20s\n' "dxplay" "$(lines_run=40003 lines_per_second "$DXPLAY" run "$work/reads.dxs" --quiet)"
printf '  %-42s %20s\n' "dxsim, output discarded" "$(lines_run=40003 lines_per_second "$DXSIM" run "$work/reads.dxs")"

# KEY lines per second: each reads the active layout and group (the XKB
# state and rules names) and sends a press and a release.
make_dxs "$work/keys.dxs" "" "LOOP 5000" 'KEY $41 PRESS' ENDLOOP ENDSCRIPT
echo "KEY \$41 PRESS lines per second by layout, median of $runs (by wall clock (by CPU time)):"
for layout in us de us,de; do
  setxkbmap -layout "$layout"
  printf '  %-42s %20s\n' "dxplay, $layout" "$(lines_run=5002 lines_per_second "$DXPLAY" run "$work/keys.dxs" --quiet)"
done

# Clicks per second into a GTK application, every click counted by it:
# galculator adds up "1 + 1 + ... =", so a lost or doubled click shows in
# its result. Bare and under openbox, whose click-to-focus grab each click
# waits for.
calculator_shows() { xdotool key ctrl+c && [ "$(timeout 2 xsel -b -o 2>/dev/null)" = "$1" ]; }
clicks_into_calculator() {  # bare|openbox
  local i
  for i in "${started[@]}"; do stop_process "$i"; done
  started=()
  start_xvfb
  export HOME=$work/calc.$1 XDG_CONFIG_HOME=$work/calc.$1/.config
  mkdir -p "$XDG_CONFIG_HOME"
  if [ "$1" = openbox ]; then
    start "$work/openbox.log" openbox
    wait_for 10 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
  fi
  start "$work/galculator.log" galculator
  wait_for 15 xdotool search --onlyvisible --name '^galculator$' >/dev/null || fail "galculator did not start"
  sleep 0.5  # drawn and placed
  largest_window_named '^galculator$' || fail "galculator's window went away"
  local window=$found_window x=$found_x y=$found_y ones=100 code=()
  code=("MOUSE GO 1" "MOUSE LC")
  for (( i = 1; i < ones; i++ )); do code+=("MOUSE GO 2" "MOUSE LC" "MOUSE GO 1" "MOUSE LC"); done
  code+=("MOUSE GO 3" "MOUSE LC" ENDSCRIPT)
  # The buttons 1, + and = of its first window.
  make_dxs "$work/clicks.dxs" "L1=$(( x + 35 )),$(( y + 279 )) L2=$(( x + 230 )),$(( y + 319 )) L3=$(( x + 295 )),$(( y + 299 ))" "${code[@]}"
  for (( i = 0; i < runs; i++ )); do
    xdotool key Escape  # clears the display
    times_of "$DXPLAY" run "$work/clicks.dxs" --quiet --window "$(printf %08X "$window")" | awk '{ print $1 }' >>"$work/clicks.$1"
    wait_for 3 calculator_shows "$ones" || echo "  (run $i: the calculator showed '$(timeout 2 xsel -b -o)', not $ones)" >&2
  done
  printf '  %-42s %20.0f\n' "dxplay, $1" "$(median <"$work/clicks.$1" | awk -v n=$(( 2 * ones )) '{ print n / $1 }')"
}
if command -v galculator >/dev/null && command -v xsel >/dev/null; then
  echo "clicks per second into galculator, 200 clicks counted by its sum, median of $runs:"
  # Not in a command substitution: the servers and clients it starts must
  # stay known to the clean-up.
  clicks_into_calculator bare
  clicks_into_calculator openbox
fi
