#!/usr/bin/env bash
# End-to-end tests of how dxplay's input reaches X clients: keys the script
# holds do not repeat, and the user's repeat settings are the same after
# the run, however it ended; moves go to the display's own screen.
#   input_test.sh GROUP DXPLAY
set -euo pipefail
group=$1
DXPLAY=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_lib.sh"

key_events_after() {  # log line
  tail -n "+$(( $2 + 1 ))" "$1" | xev_events | grep -E '^Key' || true
}

repeat_settings() { xset q | grep -A1 -E '^ *auto repeat:'; }

# A held over 1.2 s (the server repeats after 660 ms): one press, one
# release. Ended by its UP line, by SIGTERM during the hold, and with the
# user's repeat off for that key beforehand.
test_repeat() {
  start_xvfb
  start_xev 400x300+0+0 DxRepeat "$work/xev.log"
  xdotool mousemove 200 150
  make_dxs "$work/hold.dxs" "" 'KEY $41' "DELAY 1200" 'KEY $41 UP' ENDSCRIPT
  make_dxs "$work/held.dxs" "" 'KEY $41' "DELAY 100000" ENDSCRIPT
  local how before settings expected
  for how in up signal user-off; do
    [ "$how" != user-off ] || xset -r "$(xmodmap -pke | awk '$4 == "a" { print $2; exit }')"
    settings=$(repeat_settings)
    before=$(wc -l <"$work/xev.log")
    if [ "$how" = signal ]; then
      start "$work/player.out" "$DXPLAY" run "$work/held.dxs" --quiet
      sleep 1.2
      stop_process "$last_pid"
    else
      run_dxplay run "$work/hold.dxs" --quiet
      expect_status 0 "$how"
    fi
    expected=$'KeyPress a\nKeyRelease a'
    wait_for 5 sh -c "[ \"\$(tail -n +$(( before + 1 )) '$work/xev.log' | grep -c '^Key')\" -ge 2 ]" || true
    [ "$(key_events_after "$work/xev.log" "$before")" = "$expected" ] ||
      fail "$how: xev saw $(key_events_after "$work/xev.log" "$before" | tr '\n' ' ')"
    [ "$(repeat_settings)" = "$settings" ] || fail "$how: repeat settings changed: $(repeat_settings)"
    expect_nothing_held "$how"
  done
}

# With DISPLAY naming the second screen, moves land on it even while the
# pointer is on the first.
test_screens() {
  start_xvfb 640x480 -screen 1 800x600x24
  local display=$DISPLAY
  xdotool mousemove --screen 0 10 10
  make_dxs "$work/move.dxs" "" "MOUSE GO .700.500" ENDSCRIPT
  DISPLAY=$display.1 run_dxplay run "$work/move.dxs" --quiet
  expect_status 0 "a move on screen 1"
  local at
  at=$(xdotool getmouselocation)
  [[ $at == "x:700 y:500 screen:1 "* ]] || fail "a move on screen 1 went to: $at"
}

"test_$group"
