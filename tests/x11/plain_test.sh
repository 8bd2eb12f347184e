#!/usr/bin/env bash
# End-to-end tests of plain scripts (the code as it runs, slots on ";@"
# lines) with dxplay on a private X server, watched by xev.
#   plain_test.sh GROUP DXPLAY DXSIM PROBE
set -euo pipefail
group=$1
DXPLAY=$2
DXSIM=$3
PROBE=$4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_lib.sh"

events_after() {  # log line: the events xev logged after that line
  tail -n "+$(( $2 + 1 ))" "$1" | xev_events
}

events_logged() {  # log line count: true once xev logged COUNT events after that line
  [ "$(events_after "$1" "$2" | wc -l)" -ge "$3" ]
}

# A plain script with LF line ends, written as a person writes it in an
# editor, is played: xev sees exactly what the code says, at the slot.
test_plain_run() {
  start_xvfb
  start_xev 1024x768+0+0 DxPlain "$work/xev.log"
  xdotool mousemove 512 384 windowfocus --sync "$xev_window"
  printf '%s\n' '; Click slot 1, then type "a".' ';@ location 1: 100,200' ';@ key 3: 41' \
    'MOUSE GO 1' '  MOUSE LC' 'KEY #03 PRESS' 'ENDSCRIPT' >"$work/mine.txt"
  local before expected actual
  before=$(wc -l <"$work/xev.log")
  run_dxplay run "$work/mine.txt" --quiet
  expect_status 0 "a plain script"
  expected=$'Motion 100,200\nButtonPress 1 100,200\nButtonRelease 1 100,200\nKeyPress a\nKeyRelease a'
  wait_for 5 events_logged "$work/xev.log" "$before" 5 || true
  actual=$(events_after "$work/xev.log" "$before")
  [ "$actual" = "$expected" ] || fail "a plain script: xev logged:
$actual
expected:
$expected"
  expect_nothing_held "a plain script"
  # A failing line is named by its line in the file, the ";@" lines counted.
  printf '%s\n' ';@ location 1: 100,200' 'MOUSE GO 1' 'DELAY 500 ms' 'ENDSCRIPT' >"$work/fails.txt"
  run_dxplay run "$work/fails.txt" --quiet
  expect_status 1 "a failing plain line"
  expect_stderr "$work/fails.txt:3: '500 ms' is not a valid integer value." "a failing plain line"
  # A slot line that does not read stops before anything moves, at its line.
  printf '%s\n' 'MOUSE GO 1' ';@ locaton 1: 100,200' >"$work/broken.txt"
  before=$(wc -l <"$work/xev.log")
  run_dxplay run "$work/broken.txt" --quiet
  expect_status 2 "a broken slot line"
  grep -qF "dxplay: $work/broken.txt:2: a line starting with ';@' is one of" "$work/err" ||
    fail "a broken slot line: $(cat "$work/err")"
  [ -z "$(events_after "$work/xev.log" "$before")" ] || fail "a broken slot line moved something"
  # A .dxs file whose code count is too low is refused with the line.
  "$DXSIM" resave "$work/mine.txt" "$work/mine.dxs" >/dev/null
  sed -i 's/^code: \$0005/code: $0004/' "$work/mine.dxs"
  run_dxplay run "$work/mine.dxs" --quiet
  expect_status 2 "a code count too low"
  expect_stderr "dxplay: $work/mine.dxs:19: the code count on line 14 says 4, but 5 code lines follow: the last 1 would be ignored; make the count \$0005." "a code count too low"
}

capture_into() {  # file option grab xdotool-arguments
  local before
  before=$(wc -l <"$work/xev.log")
  # shellcheck disable=SC2086
  start "$work/player.out" "$DXPLAY" capture "$1" $2
  wait_for 10 grab_seen "$work/xev.log" "$before" "$3" || fail "$2: dxplay never grabbed the $3"
  # shellcheck disable=SC2086
  xdotool $4
  wait_for 10 gone "$last_pid" || fail "$2: dxplay did not end"
  status=0
  wait "$last_pid" || status=$?
  [ "$status" = 0 ] || fail "capture $2: exit status $status: $(cat "$work/player.out")"
}

# A capture into a plain script adds or replaces its one line and keeps
# every other byte, CR LF or LF.
test_plain_capture() {
  start_xvfb
  start_xev 1024x768+0+0 DxPlain "$work/xev.log"
  xdotool mousemove 512 384 windowfocus --sync "$xev_window"
  local before_file option grab action after_file
  # before | option | grab | xdotool arguments | after (\n and \r as printf reads them)
  while IFS='|' read -r before_file option grab action after_file; do
    # shellcheck disable=SC2059
    printf "$before_file" >"$work/capture.txt"
    capture_into "$work/capture.txt" "$option" "$grab" "$action"
    # shellcheck disable=SC2059
    [ "$(od -c "$work/capture.txt")" = "$(printf "$after_file" | od -c)" ] ||
      fail "capture $option: the file is $(od -c "$work/capture.txt")"
  done <<'EOF'
MOUSE GO 1\nMOUSE LC\n|--location 1|pointer|mousemove 300 400 click 1|;@ location 1: 300,400\nMOUSE GO 1\nMOUSE LC\n
;@ key 2: 0D\r\nKEY #02 PRESS\r\n|--key 2|keyboard|key F5|;@ key 2: 74\r\nKEY #02 PRESS\r\n
;@ location 1: 1,2\nMOUSE GO 1|--location 4|pointer|mousemove 10 20 click 1|;@ location 1: 1,2\n;@ location 4: 10,20\nMOUSE GO 1
EOF
  # The bundled plain example: the capture adds its one line.
  cp "$here/../../examples/typical.txt" "$work/example.txt"
  capture_into "$work/example.txt" "--location 5" pointer "mousemove 300 400 click 1"
  [ "$(diff "$here/../../examples/typical.txt" "$work/example.txt" | grep '^[<>]')" = "> ;@ location 5: 300,400" ] ||
    fail "capture into typical.txt changed: $(diff "$here/../../examples/typical.txt" "$work/example.txt")"
}

"test_$group"
