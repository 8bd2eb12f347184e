#!/usr/bin/env bash
# End-to-end tests of dxplay's wlroots backend on a private headless sway
# with two outputs (one at scale 2), watched by clients it did not write:
# wev (pointer positions, buttons, keysyms), grim (the pixels), swaymsg
# (windows, focus). One group of scenarios an invocation.
#   wayland_test.sh GROUP DXPLAY
set -euo pipefail
group=$1
DXPLAY=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wayland_lib.sh"

wev_lines() { wc -l <"$1"; }

# The presses and releases wev logged after LINE, with where the pointer
# was: "button N 1|0 X,Y" and "key KEYSYM 1|0".
inputs_after() {  # log line
  events_after "$1" "$2" | awk '$1 == "motion" { at = $2; next } $1 == "button" { print $0, at; next } { print }'
}

expect_inputs() {  # log line expected what
  local actual
  wait_for 5 test "$(inputs_after "$1" "$2" | wc -l)" -ge "$(wc -l <<<"$3")" || true
  actual=$(inputs_after "$1" "$2")
  [ "$actual" = "$3" ] || fail "$4: wev logged:
$actual
expected:
$3"
}

# Every press in the log has its release.
expect_balanced() {  # log what
  local open
  open=$(wev_events "$1" | awk '$1 != "motion" { n[$1 " " $2] += ($3 == 1 ? 1 : -1) } END { for (k in n) if (n[k]) print k }')
  [ -z "$open" ] || fail "$2: still held: $open"
}

# --- exact clicks on both outputs, buttons, keys -------------------------------------

test_input() {
  start_sway
  start_wev HEADLESS-2 "$work/wev2.log"
  start_wev HEADLESS-1 "$work/wev1.log"
  local b1 b2
  b1=$(wev_lines "$work/wev1.log")
  b2=$(wev_lines "$work/wev2.log")
  # Corners of the primary, then the scale-2 output beside it (its logical
  # pixels), a point in the gap below it (clamped to the nearest edge, its
  # own), keys with
  # Shift and Ctrl held, and a key left down that the end releases.
  make_script "$work/input.dxs" "L1=1279,719 L2=1791,383" \
    "MOUSE GO .0.0" "MOUSE LC" "MOUSE GO 1" "MOUSE RC" "MOUSE GO .10.10" "MOUSE MC" \
    'KEY $10' 'KEY $48 PRESS' 'KEY $10 UP' 'KEY $49 PRESS' 'KEY $11' 'KEY $41 PRESS' 'KEY $11 UP' \
    'KEY $BA PRESS' 'KEY $31 PRESS' \
    "MOUSE GO .1280.0" "MOUSE LC" "MOUSE GO 2" "MOUSE LC" "MOUSE GO .1500.400" "MOUSE LD" 'KEY $5A' ENDSCRIPT
  run_player run "$work/input.dxs" --quiet
  expect_status 0 "input"
  expect_inputs "$work/wev1.log" "$b1" "button 272 1 0,0
button 272 0 0,0
button 273 1 1279,719
button 273 0 1279,719
button 274 1 10,10
button 274 0 10,10
key Shift_L 1
key H 1
key H 0
key Shift_L 0
key i 1
key i 0
key Control_L 1
key a 1
key a 0
key Control_L 0
key semicolon 1
key semicolon 0
key 1 1
key 1 0" "output 1"
  expect_inputs "$work/wev2.log" "$b2" "button 272 1 0,0
button 272 0 0,0
button 272 1 511,383
button 272 0 511,383
button 272 1 220,383
key z 1
key z 0
button 272 0 220,383" "output 2 (scale 2)"
  expect_balanced "$work/wev2.log" "the end of the run"
  # The compositor's own map is German: dxplay's keys keep their US
  # assignment (Z is z, not y), since it uploads its own map.
  swaymsg_ input type:keyboard xkb_layout de
  b2=$(wev_lines "$work/wev2.log")
  make_script "$work/de.dxs" "" "MOUSE GO .1400.100" "MOUSE LC" 'KEY $5A PRESS' 'KEY $59 PRESS' 'KEY $BF PRESS' ENDSCRIPT
  run_player run "$work/de.dxs" --quiet
  expect_status 0 "German map"
  expect_inputs "$work/wev2.log" "$b2" "button 272 1 120,100
button 272 0 120,100
key z 1
key z 0
key y 1
key y 0
key slash 1
key slash 0" "German map"
  # --output: positions count from the scale-2 output; the primary is to
  # its left, at negative x.
  b1=$(wev_lines "$work/wev1.log")
  make_script "$work/left.dxs" "" "MOUSE GO .-1270.5" "MOUSE LC" ENDSCRIPT
  run_player run "$work/left.dxs" --quiet --output HEADLESS-2
  expect_status 0 "--output"
  expect_inputs "$work/wev1.log" "$b1" "button 272 1 10,5
button 272 0 10,5" "--output HEADLESS-2"
  run_player run "$work/left.dxs" --quiet --output NOPE
  expect_status 3 "an output that does not exist"
  expect_stderr "dxplay: no output named 'NOPE' (the outputs: HEADLESS-1, HEADLESS-2)" "an output that does not exist"
}

# --- pixels: GETCOLOR agrees with grim on both outputs -----------------------------------

pixel_of() {  # png x y: the pixel as RRGGBB
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p'
}

test_pixels() {
  command -v grim >/dev/null && command -v swaybg >/dev/null || { echo "SKIP: no grim or swaybg" >&2; exit "$x11_skip"; }
  start_sway
  start "$work/bg1.log" "${as_user[@]}" env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1 swaybg -o HEADLESS-1 -c '#3366CC'
  start "$work/bg2.log" "${as_user[@]}" env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1 swaybg -o HEADLESS-2 -c '#000000'
  local bg2=$last_pid
  sleep 0.5
  # The pixels as grim sees them, the cursor (which the headless outputs
  # draw into the picture) moved away first by a run.
  make_script "$work/away.dxs" "" "MOUSE GO .1279.719" ENDSCRIPT
  run_player run "$work/away.dxs" --quiet
  in_session grim -o HEADLESS-1 "$work/one.png"
  in_session grim -o HEADLESS-2 "$work/two.png"
  [ "$(pixel_of "$work/one.png" 100 100)" = 3366CC ] || fail "grim: output 1 is not #3366CC"
  [ "$(pixel_of "$work/two.png" 200 200)" = 000000 ] || fail "grim: output 2 is not black"
  # Black is 0 on the scale-2 output; a point off every output is -1; two
  # points of one colour are equal, and that colour is neither 0 nor -1.
  make_script "$work/values.dxs" "L1=100,100 L2=600,400 L3=1380,100 L4=1400,500" \
    "MOUSE GO .1279.719" "LONG zero" "LONG a" "LONG b" "LONG black" "LONG off" \
    "GETCOLOR a 1" "GETCOLOR b 2" "GETCOLOR black 3" "GETCOLOR off 4" \
    REPEAT "UNTIL a b" REPEAT "UNTIL black zero" REPEAT "UNTILNE a zero" REPEAT "UNTILNE a off" \
    REPEAT "UNTILNE black off" ENDSCRIPT
  DX_TIMEOUT=5 run_player run "$work/values.dxs" --quiet
  expect_status 0 "colour values"
  # A pixel wait ends when the scaled output is repainted.
  make_script "$work/wait.dxs" "L1=1380,100" "MOUSE GO .1279.719" "LONG before" "LONG now" "GETCOLOR before 1" \
    REPEAT "GETCOLOR now 1" "UNTILNE before now" ENDSCRIPT
  start_player run "$work/wait.dxs" --quiet
  sleep 0.5
  ! gone "$player" || fail "the pixel wait ended before the repaint: $(cat "$work/player.out")"
  stop_process "$bg2"
  start "$work/bg3.log" "${as_user[@]}" env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1 swaybg -o HEADLESS-2 -c '#FF0000'
  finish_dxplay "the pixel wait"
  expect_status 0 "the pixel wait"
}

# --- dxplay stop, signals, nothing left held ---------------------------------------------

test_stop() {
  start_sway
  start_wev HEADLESS-1 "$work/wev1.log"
  make_script "$work/hold.dxs" "" "MOUSE GO .300.300" 'KEY $41' "MOUSE LD" "DELAY 100000"
  make_script "$work/loop.dxs" "" "MOUSE GO .301.301" 'KEY $42' "MOUSE RD" REPEAT "LONG a" "UNTILNE a a"
  local before first second
  # dxplay stop ends both runs at once, each with the stop key's status.
  before=$(wev_lines "$work/wev1.log")
  start_player run "$work/hold.dxs" --quiet
  first=$player
  start_player run "$work/loop.dxs" --quiet
  second=$player
  wait_for 10 grep -q 'button: 273 (right), state: 1' "$work/wev1.log" || fail "the runs did not start"
  wait_for 10 grep -q 'button: 272 (left), state: 1' "$work/wev1.log" || fail "the runs did not start"
  in_session "$(unprivileged_dxplay)" stop >"$work/stop.out" 2>&1 || fail "dxplay stop failed: $(cat "$work/stop.out")"
  # It returns once both runs have ended (they are no longer registered);
  # the processes may still be taking their devices down.
  [ -z "$(ls "$runtime/dxplay")" ] || fail "dxplay stop returned before the runs ended: $(ls "$runtime/dxplay")"
  player=$first; finish_dxplay "dxplay stop, first"; expect_status 5 "dxplay stop, first run"
  player=$second; finish_dxplay "dxplay stop, second"; expect_status 5 "dxplay stop, second run"
  tail -n "+$(( before + 1 ))" "$work/wev1.log" >"$work/stop.log"
  expect_balanced "$work/stop.log" "dxplay stop"
  # Signals end a run with their own status, everything released.
  local signal expected
  while read -r signal expected; do
    before=$(wev_lines "$work/wev1.log")
    start_player run "$work/hold.dxs" --quiet
    wait_for 10 logged_since "$work/wev1.log" "$before" 'button: 272 (left), state: 1' || fail "$signal: no start"
    kill "-$signal" "$player"
    finish_dxplay "$signal"
    expect_status "$expected" "$signal"
    tail -n "+$(( before + 1 ))" "$work/wev1.log" >"$work/sig.log"
    expect_balanced "$work/sig.log" "$signal"
  done <<'END'
INT 130
TERM 143
HUP 129
END
  # With nothing running, stop says so and succeeds.
  in_session "$(unprivileged_dxplay)" stop >"$work/stop.out" 2>&1 || fail "dxplay stop with nothing running"
}

logged_since() {  # log line text
  tail -n "+$(( $2 + 1 ))" "$1" | grep -qF -- "$3"
}

# --- windows by name, bringing the target to the front -------------------------------------

focused_app() { in_session swaymsg -t get_tree | awk '/"focused": true/ { f = 1 } f && /"app_id"/ { print; exit }'; }

test_windows() {
  command -v foot >/dev/null || { echo "SKIP: no foot" >&2; exit "$x11_skip"; }
  # sway's default for an activation asked by another client only marks the
  # window urgent; foot goes to the second output, since a fullscreen wev
  # keeps the focus of its own workspace.
  start_sway 'focus_on_window_activation focus' 'for_window [app_id="dxfoot"] move container to workspace 2'
  start "$work/foot.log" "${as_user[@]}" env HOME="$work" XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1 \
    foot --app-id=dxfoot --title=DxShell sleep 600
  start_wev HEADLESS-1 "$work/wev1.log"
  run_player windows
  expect_status 0 "windows"
  wait_for 5 grep -q ' - DxShell$' "$work/out" || fail "windows does not list foot: $(cat "$work/out")"
  grep -q ' - wev$' "$work/out" || fail "windows does not list wev: $(cat "$work/out")"
  local entry
  entry=$(grep ' - DxShell$' "$work/out" | head -1)
  [[ $(focused_app) == *wev* ]] || fail "wev is not focused at the start"
  make_script "$work/nothing.dxs" "" ENDSCRIPT
  run_player run "$work/nothing.dxs" --quiet --window-name DxSh
  expect_status 0 "--window-name"
  [[ $(focused_app) == *dxfoot* ]] || fail "--window-name did not bring foot to the front: $(focused_app)"
  run_player run "$work/nothing.dxs" --quiet --window-name wev
  [[ $(focused_app) == *wev* ]] || fail "--window-name wev did not bring wev to the front"
  run_player run "$work/nothing.dxs" --quiet --window "$entry"
  expect_status 0 "--window"
  [[ $(focused_app) == *dxfoot* ]] || fail "--window did not bring foot to the front"
  run_player run "$work/nothing.dxs" --quiet --window-name "no such title"
  expect_status 4 "no such window"
  run_player run "$work/nothing.dxs" --quiet --window 7FFFFFF0
  expect_status 4 "no such window entry"
  run_player run "$work/nothing.dxs" --quiet --pick
  expect_status 3 "--pick"
  expect_stderr "dxplay: --pick needs a click that dxplay cannot take from a Wayland compositor yet: find the window with dxplay windows and name it with --window or --window-name" "--pick"
}

# --- the session's choice, doctor, refusals, a compositor that goes away -----------------------

test_session() {
  start_sway
  run_player doctor
  expect_status 0 "doctor"
  grep -qx "backend: wlroots (WAYLAND_DISPLAY is set and the compositor offers the wlroots virtual pointer and keyboard)" "$work/out" ||
    fail "doctor: $(cat "$work/out")"
  grep -qx "pixels: yes (wlr-screencopy)" "$work/out" || fail "doctor pixels: $(cat "$work/out")"
  grep -qx "output: HEADLESS-2 1280,0 512x384 scale 2" "$work/out" || fail "doctor outputs: $(cat "$work/out")"
  grep -qx "output: HEADLESS-1 0,0 1280x720 scale 1 (primary)" "$work/out" || fail "doctor primary: $(cat "$work/out")"
  run_player doctor --backend portal
  expect_status 3 "doctor --backend portal"
  make_script "$work/nothing.dxs" "" ENDSCRIPT
  run_player run "$work/nothing.dxs" --backend portal
  expect_status 3 "--backend portal"
  expect_stderr "dxplay: the portal backend (GNOME, KDE) is not available yet: on a wlroots compositor use --backend wlroots; elsewhere --backend x11 plays X11 windows through Xwayland" "--backend portal"
  run_player capture "$work/nothing.dxs" --location 1
  expect_status 1 "capture on wlroots"
  # A compositor that goes away during a run ends it with its own status.
  make_script "$work/long.dxs" "" "MOUSE GO .5.5" "DELAY 100000"
  start_player run "$work/long.dxs" --quiet
  sleep 1
  stop_process "$sway_pid"
  finish_dxplay "the compositor went away"
  expect_status 3 "the compositor went away"
  expect_stderr "dxplay: the connection to the Wayland compositor was lost" "the compositor went away"
}

"test_$group"
