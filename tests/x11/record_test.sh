#!/usr/bin/env bash
# End-to-end tests of dxplay record: xdotool performs a session against xev
# while dxplay records it; the recording passes the checker and replays to
# the same events.
#   record_test.sh GROUP DXPLAY DXSIM
set -euo pipefail
group=$1
DXPLAY=$2
DXSIM=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_lib.sh"
. "$here/record_lib.sh"

button_and_key_events() {  # log [lines]: the log's button and key events, of its first LINES lines
  if [ -n "${2:-}" ]; then head -n "$2" "$1" | xev_events; else xev_events "$1"; fi | grep -v '^Motion'
}

# The gaps in ms between consecutive button and key events of an xev log,
# by the server's event times.
event_gaps() {
  awk '/^(KeyPress|KeyRelease|ButtonPress|ButtonRelease) event/ { want = 1; next }
       want && match($0, /time [0-9]+/) { t = substr($0, RSTART + 5, RLENGTH - 5); if (seen) print t - last; last = t; seen = 1; want = 0 }'
}

code_of() {  # file: the code lines of a script file
  tr -d '\r' <"$1" | sed -n '/^code: \$/,$p' | tail -n +2
}

expect_checked() {  # file what
  "$DXSIM" check "$1" --werror >"$work/check" 2>&1 || fail "$2: dxsim check: $(cat "$work/check")"
  [ "$(cat "$work/check")" = "0 errors, 0 warnings" ] || fail "$2: dxsim check found: $(cat "$work/check")"
}

# The pauses of the session, in ms, in the order xdotool makes them.
pauses=(300 200 250 400 500 150)

# One xdotool, so that no pause holds the start of a process; its typing
# takes every word behind it, so it comes last.
perform_session() {
  xdotool mousemove 100 100 mousedown 1 mouseup 1 sleep 0.3 \
    mousemove 200 150 mousedown 1 mouseup 1 mousedown 1 mouseup 1 sleep 0.2 \
    mousemove 300 300 mousedown 1 mousemove 400 350 sleep 0.25 mouseup 1 sleep 0.4 \
    key --delay 0 ctrl+a sleep 0.5 mousemove 50 60 mousedown 3 mouseup 3 sleep 0.15 \
    type --delay 0 "Hi There"
}

test_session() {
  start_xvfb
  start_xev 1024x768+0+0 DxRecord "$work/xev.log"
  start_recording "$work/session.dxs"
  perform_session
  sleep 0.2
  local session_lines
  session_lines=$(wc -l <"$work/xev.log")
  xdotool key ctrl+alt+shift+F12
  finish_recording "the session"
  expect_status 0 "the session"
  expect_checked "$work/session.dxs" "the session"
  code_of "$work/session.dxs" >"$work/code"
  grep -q '^MOUSE LD$' "$work/code" || fail "no drag in: $(cat "$work/code")"
  tail -n 1 "$work/code" | grep -qx ENDSCRIPT || fail "no ENDSCRIPT at the end: $(cat "$work/code")"
  # Never the stop key, nor its modifiers: the last typed key is the last line.
  [ "$(tail -n 2 "$work/code" | head -1)" = 'KEY $45 PRESS' ] && ! grep -qE '^KEY \$(7B|12)' "$work/code" ||
    fail "the stop key was recorded: $(cat "$work/code")"

  # The delays: within 20 ms of the pauses xdotool made, as the server's
  # event times show them (on a loaded machine they stray from the sleeps
  # by tens of ms either way).
  mapfile -t delays < <(sed -n 's/^DELAY \([0-9]*\)$/\1/p' "$work/code" | awk '$1 >= 100')
  mapfile -t made < <(head -n "$session_lines" "$work/xev.log" | event_gaps | awk '$1 >= 100')
  [ "${#delays[@]}" = "${#pauses[@]}" ] && [ "${#made[@]}" = "${#pauses[@]}" ] ||
    fail "delays ${delays[*]}, pauses made ${made[*]}, slept ${pauses[*]}: $(cat "$work/code")"
  local i
  for i in "${!pauses[@]}"; do
    (( ${delays[i]} - ${made[i]} <= 20 && ${made[i]} - ${delays[i]} <= 20 )) ||
      fail "delay ${delays[i]} for a pause of ${made[i]} ms (slept ${pauses[i]}): $(cat "$work/code")"
  done

  # The replay against a fresh xev: the same buttons and keys, at the same points, in the same order.
  button_and_key_events "$work/xev.log" "$session_lines" >"$work/performed"
  stop_process "$xev_pid"
  start_xev 1024x768+0+0 DxReplay "$work/replay.log"
  run_dxplay run "$work/session.dxs" --quiet
  expect_status 0 "the replay"
  wait_for 5 test "$(button_and_key_events "$work/replay.log" | wc -l)" -ge "$(wc -l <"$work/performed")" || true
  button_and_key_events "$work/replay.log" >"$work/replayed"
  diff "$work/performed" "$work/replayed" >&2 || fail "the replay differs from the session (script: $(cat "$work/code"))"
  expect_nothing_held "the replay"
}

# --append with --slots and --no-delays, stopped by SIGINT: the lines go
# behind the last code line, the points into the free slots, and every
# other byte of the file stays.
test_append() {
  start_xvfb
  start_xev 1024x768+0+0 DxAppend "$work/xev.log"
  # Behind the last code line, but before an ENDSCRIPT there, which would end the run before them.
  make_dxs "$work/append.dxs" "L1=5,5 K3=41" "MOUSE GO 1" "MOUSE LC" "ENDSCRIPT" "; the end" ""
  make_dxs "$work/expected.dxs" "L1=5,5 L2=100,100 L3=200,300 K3=41" "MOUSE GO 1" "MOUSE LC" \
    "MOUSE GO 2" "MOUSE LC" "MOUSE GO 3" "MOUSE LC" "MOUSE GO 2" "MOUSE RC" "ENDSCRIPT" "; the end" ""
  start_recording "$work/append.dxs" --append --slots --no-delays
  xdotool mousemove 100 100 click --delay 0 1 sleep 0.6 mousemove 200 300 click --delay 0 1 sleep 0.6 \
    mousemove 100 100 click --delay 0 3
  sleep 0.3
  kill -INT "$recorder"
  finish_recording "append"
  expect_status 0 "append"
  cmp "$work/append.dxs" "$work/expected.dxs" >&2 ||
    fail "append: the file differs: $(diff <(tr -d '\r' <"$work/expected.dxs") <(tr -d '\r' <"$work/append.dxs"))"
  expect_checked "$work/append.dxs" "append"
}

# A new recording replaces no file; a wrong option is a usage error.
test_refusals() {
  start_xvfb
  make_dxs "$work/kept.dxs" "" "MOUSE LC" ENDSCRIPT
  cp "$work/kept.dxs" "$work/before.dxs"
  run_dxplay record "$work/kept.dxs"
  expect_status 2 "an existing file"
  expect_stderr "dxplay: $work/kept.dxs: the file exists; --append adds the recording to it" "an existing file"
  cmp -s "$work/kept.dxs" "$work/before.dxs" || fail "an existing file was changed"
  run_dxplay record "$work/new.dxs" --slot
  expect_status 64 "a wrong option"
  run_dxplay record "$work/missing/new.dxs"
  expect_status 2 "a missing folder"
  [ ! -e "$work/missing" ] || fail "a missing folder was made"
  # A recording whose folder went away meanwhile is printed instead of lost.
  mkdir "$work/gone"
  start_recording "$work/gone/new.dxs"
  xdotool mousemove 30 40 click --delay 0 3
  sleep 0.3
  rmdir "$work/gone"
  kill -TERM "$recorder"
  finish_recording "a folder gone"
  expect_status 2 "a folder gone"
  expect_stderr "dxplay: the recorded lines follow on standard output" "a folder gone"
  grep -qx 'MOUSE RC' "$work/err" || fail "a folder gone: the lines were not printed: $(cat "$work/err")"
}

# The server goes away mid-recording: what was recorded until then is saved.
test_server_gone() {
  start_xvfb
  local server=${started[-1]}
  start_xev 1024x768+0+0 DxGone "$work/xev.log"
  start_recording "$work/gone.dxs"
  xdotool mousemove 10 20 click --delay 0 1
  wait_for 5 grep -q '^ButtonRelease' "$work/xev.log" || fail "xev saw no click"
  sleep 0.3
  stop_process "$server"
  finish_recording "the server gone"
  expect_status 3 "the server gone"
  expect_stderr "dxplay: the connection to the X server was lost" "the server gone"
  [ "$(code_of "$work/gone.dxs")" = "$(printf 'MOUSE GO .10.20\nMOUSE LC\nENDSCRIPT')" ] ||
    fail "the server gone: the file holds: $(code_of "$work/gone.dxs")"
}

# Two monitors, the primary at root 1024,0: a point on the one to its left
# is recorded with a negative x, as capture stores it, and replays there.
test_two_monitors() {
  start_two_heads "$here/two-monitors.conf"
  start_xev 2048x768+0+0 DxTwo "$work/xev.log"
  start_recording "$work/two.dxs" --no-delays
  xdotool mousemove 100 300 click --delay 0 1 mousemove 1500 200 click --delay 0 3
  sleep 0.3
  local performed_lines
  performed_lines=$(wc -l <"$work/xev.log")
  kill -INT "$recorder"
  finish_recording "two monitors"
  expect_status 0 "two monitors"
  [ "$(code_of "$work/two.dxs")" = "$(printf 'MOUSE GO .-924.300\nMOUSE LC\nMOUSE GO .476.200\nMOUSE RC\nENDSCRIPT')" ] ||
    fail "two monitors: recorded $(code_of "$work/two.dxs")"
  button_and_key_events "$work/xev.log" "$performed_lines" >"$work/performed"
  local before
  before=$(wc -l <"$work/xev.log")
  run_dxplay run "$work/two.dxs" --quiet
  expect_status 0 "two monitors, the replay"
  wait_for 5 test "$(tail -n "+$(( before + 1 ))" "$work/xev.log" | xev_events | grep -vc '^Motion')" -ge 4 || true
  tail -n "+$(( before + 1 ))" "$work/xev.log" | xev_events | grep -v '^Motion' >"$work/replayed"
  diff "$work/performed" "$work/replayed" >&2 || fail "two monitors: the replay differs"
}

# Ctrl+C typed into the terminal that records: the recording ends and is
# saved, without that Ctrl+C.
test_interrupt() {
  start_xvfb
  # script(1) between the terminal and dxplay keeps what dxplay prints in a file.
  start "$work/xterm.out" xterm -geometry 80x24+0+0 -title DxRecordTerminal \
    -e sh -c "script -qfec \"exec \$0 record \$1\" \"\$1.out\"; echo \$? >\"\$1.status\"" \
    "$(unprivileged_dxplay)" "$work/typed.dxs"
  wait_mapped DxRecordTerminal
  xdotool mousemove --window "$mapped_window" 50 50
  wait_for 20 grep -q '^recording: ' "$work/typed.dxs.out" || fail "interrupt: dxplay record did not start: $(cat "$work/xterm.out")"
  xdotool type --delay 20 ab
  xdotool sleep 0.3 key ctrl+c
  wait_for 10 test -s "$work/typed.dxs.status" || fail "interrupt: dxplay record did not end"
  [ "$(cat "$work/typed.dxs.status")" = 0 ] || fail "interrupt: exit status $(cat "$work/typed.dxs.status")"
  [ "$(code_of "$work/typed.dxs")" = "$(printf 'KEY $41 PRESS\nKEY $42 PRESS\nENDSCRIPT')" ] ||
    fail "interrupt: recorded $(code_of "$work/typed.dxs")"
}

command -v xdotool >/dev/null || { echo "SKIP: no xdotool" >&2; exit "$x11_skip"; }
"test_$group"
