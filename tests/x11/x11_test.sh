#!/usr/bin/env bash
# End-to-end tests of dxplay against X clients it did not write, on a
# private X server: one group of scenarios an invocation.
#   x11_test.sh GROUP DXPLAY DXSIM PROBE
set -euo pipefail
group=$1
DXPLAY=$2
DXSIM=$3
PROBE=$4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_lib.sh"

trim() { sed 's/^[[:space:]]*//;s/[[:space:]]*$//' <<<"$1"; }
split_slashes() { sed 's# / #\n#g' <<<"$1"; }

events_since() {  # log line: the events xev logged after that line of its log
  tail -n "+$(( $2 + 1 ))" "$1" | xev_events
}

logged() {  # log line event: true once xev logged EVENT after that line
  events_since "$1" "$2" | grep -qxF -- "$3"
}

at_least_events() {  # log line count
  [ "$(events_since "$1" "$2" | wc -l)" -ge "$3" ]
}

# --- exact events and coordinates -------------------------------------------------

test_events() {
  start_xvfb
  start_xev 1024x768+0+0 DxEvents "$work/xev.log"
  xdotool mousemove 512 384
  local name slots code events before expected actual
  while IFS='|' read -r name slots code events; do
    name=$(trim "$name")
    [[ -z $name || $name == \#* ]] && continue
    mapfile -t lines < <(split_slashes "$(trim "$code")")
    expected=$(split_slashes "$(trim "$events")")
    # The numeric pad's digits are what they say with Num Lock on (on for
    # that row only).
    [ "$name" = keypad ] && xdotool key Num_Lock
    make_dxs "$work/$name.dxs" "$slots" "${lines[@]}" ENDSCRIPT
    before=$(wc -l <"$work/xev.log")
    run_dxplay run "$work/$name.dxs" --quiet
    expect_status 0 "$name"
    wait_for 5 at_least_events "$work/xev.log" "$before" "$(wc -l <<<"$expected")" || true
    actual=$(events_since "$work/xev.log" "$before")
    [ "$actual" = "$expected" ] || fail "$name: xev logged:
$actual
expected:
$expected"
    expect_nothing_held "$name"
    [ "$name" != keypad ] || xdotool key Num_Lock
  done <"$here/events.table"
}

# Every pixel of a screen whose size does not divide 65536 is reached: 60
# points a screen size, each clicked where the script says, and a captured
# point is clicked where it was captured.
test_rounding() {
  local size width height i x y code expected before server
  # The last size on a server without RandR: the screen is then the root.
  for size in 1366x768 1920x1080 1280x1024; do
    width=${size%x*} height=${size#*x}
    if [ "$size" = 1280x1024 ]; then start_xvfb "$size" -extension RANDR; else start_xvfb "$size"; fi
    server=${started[-1]}
    start_xev "$size+0+0" DxEvents "$work/xev.$size.log"
    code=() expected=""
    for (( i = 0; i < 60; i++ )); do
      x=$(( (i * 613 + 1) % width )) y=$(( (i * 347 + 2) % height ))
      (( i == 59 )) && x=$(( width - 1 )) y=$(( height - 1 ))
      code+=("MOUSE GO .$x.$y" "MOUSE LC")
      expected+="ButtonPress 1 $x,$y"$'\n'
    done
    make_dxs "$work/points.dxs" "" "${code[@]}" ENDSCRIPT
    before=$(wc -l <"$work/xev.$size.log")
    run_dxplay run "$work/points.dxs" --quiet
    expect_status 0 "60 points on $size"
    wait_for 5 at_least_events "$work/xev.$size.log" "$before" 180 || true
    [ "$(events_since "$work/xev.$size.log" "$before" | grep ButtonPress)" = "${expected%$'\n'}" ] ||
      fail "60 points on $size: $(diff <(events_since "$work/xev.$size.log" "$before" | grep ButtonPress) - <<<"${expected%$'\n'}")"
    # A captured point is the point a script then clicks.
    make_dxs "$work/captured.dxs" "" "MOUSE GO 1" "MOUSE LC" ENDSCRIPT
    x=$(( width / 2 + 1 )) y=$(( height / 3 ))
    xdotool mousemove "$x" "$y"
    before=$(wc -l <"$work/xev.$size.log")
    start_dxplay capture "$work/captured.dxs" --location 1
    wait_for 10 grab_seen "$work/xev.$size.log" "$before" pointer || fail "capture on $size: no grab"
    xdotool click 1
    finish_dxplay "capture on $size"
    expect_status 0 "capture on $size"
    xdotool mousemove 0 0
    before=$(wc -l <"$work/xev.$size.log")
    run_dxplay run "$work/captured.dxs" --quiet
    expect_status 0 "the captured point on $size"
    wait_for 5 logged "$work/xev.$size.log" "$before" "ButtonPress 1 $x,$y" ||
      fail "the captured point $x,$y on $size: xev logged $(events_since "$work/xev.$size.log" "$before")"
    stop_process "$xev_pid"
    stop_process "$server"
  done
}

# --- a shell in xterm runs what the script types ------------------------------------

test_xterm() {
  start_xvfb
  mkdir "$work/home"
  start "$work/xterm.log" xterm -T DxTerm -geometry 80x24+0+0 \
    -e sh -c "cd '$work/home' && touch ready && exec bash --norc --noprofile"
  wait_for 10 test -e "$work/home/ready" || fail "xterm did not start its shell"
  wait_mapped DxTerm
  # echo Hi 42 >out, then Enter: letters, Shift, digits, punctuation.
  local keys=(45 43 48 4F 20 "10 / KEY \$48 PRESS / KEY \$10 UP" 49 20 34 32 20
              "10 / KEY \$BE PRESS / KEY \$10 UP" 4F 55 54 0D)
  local code=() key
  for key in "${keys[@]}"; do
    if [[ $key == *" "* ]]; then mapfile -t -O "${#code[@]}" code < <(split_slashes "KEY \$$key")
    else code+=("KEY \$$key PRESS"); fi
  done
  make_dxs "$work/type.dxs" "" "${code[@]}" ENDSCRIPT
  run_dxplay run "$work/type.dxs" --window-name DxTerm --quiet
  expect_status 0 "typing into xterm"
  wait_for 5 grep -qx "Hi 42" "$work/home/out" 2>/dev/null ||
    fail "the shell in xterm did not write 'Hi 42' into out"
  expect_nothing_held "typing into xterm"
}

# --- stopping: the stop key and the signals; nothing left down ----------------------

holding() {  # true once the script holds key a and the left button
  local held
  held=$(held_down)
  grep -q 'key' <<<"$held" && grep -q 'button\[1\]' <<<"$held"
}

test_stop() {
  start_xvfb
  start_xev 1024x768+0+0 DxEvents "$work/xev.log"
  make_dxs "$work/loop.dxs" "" 'KEY $41' "MOUSE LD" REPEAT "LONG a" "UNTILNE a a"
  make_dxs "$work/delay.dxs" "" 'KEY $41' "MOUSE LD" "DELAY 100000"
  local script stop expected_status
  # script | how it is stopped | exit status
  while read -r script stop expected_status; do
    start_dxplay run "$work/$script.dxs" --quiet
    wait_for 10 holding || fail "$script: the script never held its key and button"
    case $stop in
      stop-key) xdotool key ctrl+alt+shift+F12 ;;
      *-lock) xdotool key "${stop%-lock}" ctrl+alt+shift+F12 "${stop%-lock}" ;;
      *) kill "-$stop" "$player" ;;
    esac
    finish_dxplay "$script, $stop"
    expect_status "$expected_status" "$script, $stop"
    expect_nothing_held "$script, $stop"
  done <<'EOF'
loop stop-key 5
delay stop-key 5
delay Num_Lock-lock 5
loop Caps_Lock-lock 5
loop INT 130
delay INT 130
loop TERM 143
delay TERM 143
loop HUP 129
delay QUIT 131
EOF
  # Another combination, and the default one then does not stop the run.
  # (Not Ctrl+Alt with F1-F12: the X server takes those to switch consoles.)
  start_dxplay run "$work/delay.dxs" --quiet --stop-key ctrl+shift+F11
  wait_for 10 holding || fail "--stop-key: the script never held its key and button"
  xdotool key ctrl+alt+shift+F12
  sleep 0.3
  ! gone "$player" || fail "--stop-key: the default combination stopped the run"
  xdotool key ctrl+shift+F11
  finish_dxplay "--stop-key ctrl+shift+F11"
  expect_status 5 "--stop-key ctrl+shift+F11"
  expect_nothing_held "--stop-key ctrl+shift+F11"
  # A stop key that another client holds: said at the start, and its press
  # still stops both runs (it is seen through raw key events too).
  make_dxs "$work/holder.dxs" "" 'KEY $42' "DELAY 100000"
  start "$work/holder.out" "$DXPLAY" run "$work/holder.dxs" --quiet
  local holder=$last_pid
  wait_for 10 holding_key || fail "the first run never held its key"
  start_dxplay run "$work/delay.dxs" --quiet
  wait_for 10 holding || fail "the second run never held its key and button"
  grep -qxF "dxplay: Ctrl+Alt+Shift+F12 is grabbed by another program too: it stops the run and also reaches that program" \
    "$work/player.out" || fail "the second run did not say that the stop key is taken: $(cat "$work/player.out")"
  xdotool key ctrl+alt+shift+F12
  wait_for 10 gone "$holder" || fail "the stop key did not stop the run that holds it"
  status=0
  wait "$holder" || status=$?
  expect_status 5 "the run that holds the stop key"
  finish_dxplay "a stop key taken by another client"
  expect_status 5 "a stop key taken by another client"
  expect_nothing_held "a stop key taken by another client"
}

# --- capture into a slot --------------------------------------------------------------

button_events() { events_since "$1" "$2" | grep -E '^(ButtonPress|ButtonRelease)' || true; }
key_events() { events_since "$1" "$2" | grep -E '^(KeyPress|KeyRelease)' || true; }

test_capture() {
  start_xvfb
  start_xev 1024x768+0+0 DxEvents "$work/xev.log"
  xdotool mousemove 512 384 windowfocus --sync "$xev_window"
  local base="K1=41 L1=100,200 L3=5,5"
  local code=("MOUSE GO 1" "MOUSE LC" "KEY #01 PRESS" ENDSCRIPT)
  local slot_option grab action new_slot before
  # option | grab to wait for | xdotool arguments | the slot the file must then hold
  while IFS='|' read -r slot_option grab action new_slot; do
    make_dxs "$work/capture.dxs" "$base" "${code[@]}"
    make_dxs "$work/expected.dxs" "$base $new_slot" "${code[@]}"
    "$DXSIM" resave "$work/capture.dxs" "$work/resaved.dxs" >/dev/null
    cmp -s "$work/capture.dxs" "$work/resaved.dxs" || fail "the test's file is not in the saved form"
    before=$(wc -l <"$work/xev.log")
    # shellcheck disable=SC2086
    start_dxplay capture "$work/capture.dxs" $slot_option
    wait_for 10 grab_seen "$work/xev.log" "$before" "$grab" || fail "$slot_option: dxplay never grabbed the $grab"
    # shellcheck disable=SC2086
    xdotool $action
    finish_dxplay "capture $slot_option"
    expect_status 0 "capture $slot_option"
    cmp "$work/capture.dxs" "$work/expected.dxs" >&2 || fail "capture $slot_option: the file differs from the expected bytes"
    sleep 0.1  # anything passed on would have reached xev by now
    [ -z "$(button_events "$work/xev.log" "$before")$(key_events "$work/xev.log" "$before")" ] ||
      fail "capture $slot_option: the window under it saw: $(events_since "$work/xev.log" "$before")"
    expect_nothing_held "capture $slot_option"
  done <<'EOF'
--location 2|pointer|mousemove 300 400 click 1|L2=300,400
--location 3|pointer|mousemove 1023 767 click 3|L3=1023,767
--key 7|keyboard|key F5|K7=74
--key 1|keyboard|key Return|K1=0D
--key 40|keyboard|key Delete|K40=2E
--key 5|keyboard|keydown a keydown b keyup a keyup b|K5=41
--location 4|pointer|mousemove 10 20 mousedown 1 mousedown 3 mouseup 1 mouseup 3|L4=10,20
EOF
  # The bundled examples: the capture adds its one line and changes no other.
  local example
  # example | option | grab to wait for | xdotool arguments | the one line added
  while IFS='|' read -r example slot_option grab action new_slot; do
    cp "$here/../../examples/$example" "$work/example.dxs"
    before=$(wc -l <"$work/xev.log")
    # shellcheck disable=SC2086
    start_dxplay capture "$work/example.dxs" $slot_option
    wait_for 10 grab_seen "$work/xev.log" "$before" "$grab" || fail "$example: no grab"
    # shellcheck disable=SC2086
    xdotool $action
    finish_dxplay "capture into $example"
    expect_status 0 "capture into $example"
    [ "$(diff "$here/../../examples/$example" "$work/example.dxs" | grep '^[<>]')" = "> $new_slot"$'\r' ] ||
      fail "capture into $example changed: $(diff "$here/../../examples/$example" "$work/example.dxs")"
  done <<'EOF'
typical.dxs|--location 5|pointer|mousemove 300 400 click 1|05: $12C,$190
wait_for_change.dxs|--key 3|keyboard|key F5|03: $74
EOF
  # A key without a virtual-key code is refused: status 1, the file stays.
  make_dxs "$work/capture.dxs" "$base" "${code[@]}"
  cp "$work/capture.dxs" "$work/before.dxs"
  before=$(wc -l <"$work/xev.log")
  start_dxplay capture "$work/capture.dxs" --key 2
  wait_for 10 grab_seen "$work/xev.log" "$before" keyboard || fail "a key without a code: no grab"
  xdotool key XF86Eject
  finish_dxplay "a key without a code"
  expect_status 1 "a key without a code"
  expect_stderr "dxplay: the key pressed (XF86Eject) has no virtual-key code" "a key without a code"
  cmp "$work/capture.dxs" "$work/before.dxs" >&2 || fail "a key without a code changed the file"
  # A signal ends a capture that waits: the grab goes, the file stays.
  make_dxs "$work/capture.dxs" "$base" "${code[@]}"
  cp "$work/capture.dxs" "$work/before.dxs"
  local signal expected_status
  # signal | option | grab | exit status
  while IFS='|' read -r signal slot_option grab expected_status; do
    before=$(wc -l <"$work/xev.log")
    # shellcheck disable=SC2086
    start_dxplay capture "$work/capture.dxs" $slot_option
    wait_for 10 grab_seen "$work/xev.log" "$before" "$grab" || fail "$signal: no grab"
    kill "-$signal" "$player"
    finish_dxplay "$signal during capture $slot_option"
    expect_status "$expected_status" "$signal during capture $slot_option"
    cmp "$work/capture.dxs" "$work/before.dxs" >&2 || fail "$signal during capture $slot_option changed the file"
    before=$(wc -l <"$work/xev.log")
    xdotool click 1 key b
    wait_for 5 logged "$work/xev.log" "$before" "KeyRelease b" ||
      fail "$signal during capture $slot_option: the $grab stayed grabbed"
  done <<'EOF'
INT|--location 4|pointer|130
TERM|--key 4|keyboard|143
EOF
  # A save that fails (a user who may not write the file or its folder)
  # leaves the old file as it was.
  [ "$(id -u)" -eq 0 ] || { echo "a failed save is tested as root only" >&2; return 0; }
  mkdir "$work/locked"
  make_dxs "$work/locked/capture.dxs" "$base" "${code[@]}"
  cp "$work/locked/capture.dxs" "$work/before.dxs"
  chmod 755 "$work"
  chmod 555 "$work/locked"
  chmod 444 "$work/locked/capture.dxs"
  before=$(wc -l <"$work/xev.log")
  start "$work/player.out" setpriv --reuid=65534 --regid=65534 --clear-groups \
    "$(unprivileged_dxplay)" capture "$work/locked/capture.dxs" --location 2
  player=$last_pid
  wait_for 10 grab_seen "$work/xev.log" "$before" pointer || fail "a failed save: dxplay never grabbed the pointer"
  xdotool mousemove 300 400 click 1
  finish_dxplay "a failed save"
  expect_status 2 "a failed save"
  cmp "$work/locked/capture.dxs" "$work/before.dxs" >&2 || fail "a failed save changed the file"
  [ "$(ls "$work/locked")" = capture.dxs ] || fail "a failed save left $(ls "$work/locked")"
}

# --- pixel waits against a window that repaints on request ----------------------------

test_pixels() {
  start_xvfb
  # xev leaves the root visible below it, for the colour of xsetroot.
  start_xev 1024x600+0+0 DxEvents "$work/xev.log"
  xsetroot -solid '#3366CC'
  mkfifo "$work/paint"
  start "$work/probe.log" "$PROBE" paint 90 90 120 120 000000 "$work/paint"
  wait_for 10 grep -q 'painted 000000' "$work/probe.log" || fail "the probe did not paint"
  local before
  # Waits for a change of the probe's pixel, then clicks.
  make_dxs "$work/change.dxs" "L1=120,120" "LONG a" "LONG b" "GETCOLOR b 1" 'KEY $41 PRESS' \
    REPEAT "GETCOLOR a 1" "UNTILNE a b" "MOUSE GO .700.500" "MOUSE LC" ENDSCRIPT
  # Waits until the probe's pixel equals the root's (the solid colour).
  make_dxs "$work/equal.dxs" "L1=120,120 L2=900,700" "LONG a" "LONG b" 'KEY $42 PRESS' \
    REPEAT "GETCOLOR a 1" "GETCOLOR b 2" "UNTIL a b" "MOUSE GO .701.501" "MOUSE LC" ENDSCRIPT
  local script ready paints click colour
  # script | the key it presses when it starts waiting | the repaints, the last one ends the wait | its click
  while IFS='|' read -r script ready paints click; do
    before=$(wc -l <"$work/xev.log")
    start_dxplay run "$work/$script.dxs" --quiet
    wait_for 10 logged "$work/xev.log" "$before" "KeyPress $ready" ||
      fail "$script: the script did not start"
    for colour in $paints; do
      sleep 0.2  # the script must still be waiting
      ! gone "$player" || fail "$script: the wait ended before the repaint to $colour"
      echo "$colour" >"$work/paint"
    done
    finish_dxplay "$script"
    expect_status 0 "$script"
    wait_for 2 logged "$work/xev.log" "$before" "ButtonPress 1 $click" ||
      fail "$script: no click after the wait"
    echo 000000 >"$work/paint"
  done <<'EOF'
change|a|00FF00|700,500
equal|b|FF0000 3366CC|701,501
EOF
  # The bundled example clicks slot 1 (100,200, on the probe), waits for the
  # pixel there to change and presses Enter.
  echo 000000 >"$work/paint"
  start_dxplay run "$here/../../examples/wait_for_change.dxs" --quiet
  wait_for 10 grep -qx 'button 1 100,200' "$work/probe.log" || fail "wait_for_change.dxs did not click slot 1"
  sleep 0.3  # it must still be waiting
  ! gone "$player" || fail "wait_for_change.dxs: the wait ended before the repaint"
  echo 0000FF >"$work/paint"
  finish_dxplay "wait_for_change.dxs"
  expect_status 0 "wait_for_change.dxs"
  wait_for 2 grep -qx 'key Return' "$work/probe.log" || fail "wait_for_change.dxs did not press Enter"
  # Colour values as the Windows program gives them: black is 0, and white
  # (00FFFFFF) is not the -1 of a point off the screen. A wrong value spins
  # the script until its time is up.
  echo FFFFFF >"$work/paint"
  wait_for 2 grep -q 'painted FFFFFF' "$work/probe.log" || fail "no white repaint"
  make_dxs "$work/values.dxs" "L1=120,120 L2=-5,-5 L3=900,700" "LONG white" "LONG off" "LONG black" "LONG zero" \
    "GETCOLOR white 1" "GETCOLOR off 2" REPEAT "UNTILNE white off" REPEAT "GETCOLOR black 3" "UNTIL black zero" ENDSCRIPT
  xsetroot -solid black
  DX_TIMEOUT=5 run_dxplay run "$work/values.dxs" --quiet
  expect_status 0 "colour values"
}

# --- two monitors: the primary on the right, a second one to its left -------------------

test_two_monitors() {
  start_two_heads "$here/two-monitors.conf"
  start_xev 2048x768+0+0 DxEvents "$work/xev.log"
  xdotool mousemove 1500 384
  local before expected
  make_dxs "$work/two.dxs" "L1=-1000,100" "MOUSE GO 1" "MOUSE LC" "MOUSE GO .10.20" "MOUSE LC" "MOUSE GO .-1.767" "MOUSE LC" ENDSCRIPT
  before=$(wc -l <"$work/xev.log")
  run_dxplay run "$work/two.dxs" --quiet
  expect_status 0 "two monitors"
  expected="ButtonPress 1 24,100
ButtonRelease 1 24,100
ButtonPress 1 1034,20
ButtonRelease 1 1034,20
ButtonPress 1 1023,767
ButtonRelease 1 1023,767"
  wait_for 5 at_least_events "$work/xev.log" "$before" 9 || true
  [ "$(button_events "$work/xev.log" "$before")" = "$expected" ] ||
    fail "two monitors: xev logged $(events_since "$work/xev.log" "$before")"
  # A capture on the left monitor stores a negative x.
  make_dxs "$work/capture.dxs" "" ENDSCRIPT
  make_dxs "$work/expected.dxs" "L4=-924,300" ENDSCRIPT
  before=$(wc -l <"$work/xev.log")
  start_dxplay capture "$work/capture.dxs" --location 4
  wait_for 10 grab_seen "$work/xev.log" "$before" pointer || fail "capture: dxplay never grabbed the pointer"
  xdotool mousemove 100 300 click 1
  finish_dxplay "capture on the left monitor"
  expect_status 0 "capture on the left monitor"
  cmp "$work/capture.dxs" "$work/expected.dxs" >&2 || fail "capture on the left monitor: wrong file"
  # A pixel wait on the left monitor reads the pixel there.
  mkfifo "$work/paint"
  start "$work/probe.log" "$PROBE" paint 100 100 50 50 000000 "$work/paint"
  wait_for 10 grep -q 'painted 000000' "$work/probe.log" || fail "the probe did not paint"
  make_dxs "$work/left.dxs" "L1=-900,120" "LONG a" "LONG b" "GETCOLOR b 1" REPEAT "GETCOLOR a 1" "UNTILNE a b" \
    "MOUSE GO 1" "MOUSE LC" ENDSCRIPT
  start_dxplay run "$work/left.dxs" --quiet
  sleep 0.3  # it must still be waiting
  ! gone "$player" || fail "a pixel wait on the left monitor ended before the repaint"
  echo 00FF00 >"$work/paint"
  finish_dxplay "a pixel wait on the left monitor"
  expect_status 0 "a pixel wait on the left monitor"
  wait_for 2 grep -qx 'button 1 124,120' "$work/probe.log" || fail "no click on the left monitor's probe"
  expect_nothing_held "two monitors"
}

# --- the window list and bringing a window to the front -----------------------------

entry_of() { printf '%08X' "$(( $1 ))"; }

test_windows() {
  start_xvfb
  # DxSecond covers all of DxFirst but its right and bottom edge.
  start_xev 600x600+0+0 DxFirst "$work/first.log"
  local first=$xev_window
  start_xev 500x500+0+0 DxSecond "$work/second.log"
  local second=$xev_window
  # A title beyond ASCII: xterm writes it as COMPOUND_TEXT, an entry holds UTF-8.
  start "$work/xterm.log" env LC_ALL=C.UTF-8 xterm -T "DxTerm Čau" -geometry 20x5+600+600
  wait_mapped "DxTerm.*"
  local term=$mapped_window
  run_dxplay windows
  expect_status 0 "windows"
  local entry
  for entry in "$(entry_of "$first") - DxFirst" "$(entry_of "$second") - DxSecond" "$(entry_of "$term") - DxTerm Čau"; do
    grep -qxF "$entry" "$work/out" || fail "windows: no line '$entry': $(cat "$work/out")"
  done
  xdotool mousemove 700 700
  make_dxs "$work/front.dxs" "" "MOUSE GO .100.100" "MOUSE LC" 'KEY $41 PRESS' "MOUSE GO .700.700" ENDSCRIPT
  local option value log other before_log before_other
  # option | its value | the log that must see the click and the key | the other one
  while IFS='|' read -r option value log other; do
    before_log=$(wc -l <"$work/$log.log")
    before_other=$(wc -l <"$work/$other.log")
    run_dxplay run "$work/front.dxs" --quiet "$option" "$(eval echo "$value")"
    expect_status 0 "$option $value"
    wait_for 5 at_least_events "$work/$log.log" "$before_log" 4 || true
    [ "$(button_events "$work/$log.log" "$before_log")$(key_events "$work/$log.log" "$before_log")" = \
      "ButtonPress 1 100,100
ButtonRelease 1 100,100KeyPress a
KeyRelease a" ] || fail "$option $value: $log logged $(events_since "$work/$log.log" "$before_log")"
    [ -z "$(button_events "$work/$other.log" "$before_other")$(key_events "$work/$other.log" "$before_other")" ] ||
      fail "$option $value: $other saw input too"
  done <<'EOF'
--window|"$(entry_of "$first") - DxFirst"|first|second
--window-name|DxSecond|second|first
--window|$(entry_of "$first")|first|second
EOF
  # --pick: the window of the next click, which is not passed on.
  xdotool mousemove 550 550
  before_log=$(wc -l <"$work/first.log")
  start_dxplay run "$work/front.dxs" --quiet --pick
  wait_for 10 grab_seen "$work/first.log" "$before_log" pointer || fail "--pick: dxplay never grabbed the pointer"
  xdotool click 1
  finish_dxplay "--pick"
  expect_status 0 "--pick"
  wait_for 5 at_least_events "$work/first.log" "$before_log" 5 || true
  [ "$(button_events "$work/first.log" "$before_log")$(key_events "$work/first.log" "$before_log")" = \
    "ButtonPress 1 100,100
ButtonRelease 1 100,100KeyPress a
KeyRelease a" ] || fail "--pick: DxFirst logged $(events_since "$work/first.log" "$before_log")"
  expect_nothing_held "windows"
}

# Under a window manager (openbox): the list holds the client windows, and
# a target is brought to the front through the manager.
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
clients_listed() {  # ids...: true once the window manager lists them all
  local list id
  list=$(xprop -root _NET_CLIENT_LIST)
  for id; do grep -q "$(printf '0x%x' "$id")\b" <<<"$list" || return 1; done
}
active_window() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //')"; }
is_active() { [ "$(active_window)" = "$(( $1 ))" ]; }

test_window_manager() {
  start_xvfb
  start "$work/wm.log" openbox --sm-disable
  wait_for 10 wm_running || fail "openbox did not start: $(cat "$work/wm.log")"
  start_xev 300x300+0+0 DxFirst "$work/first.log"
  local first=$xev_window
  start_xev 300x300+400+300 DxSecond "$work/second.log"
  local second=$xev_window
  wait_for 10 clients_listed "$first" "$second" || fail "openbox did not list its clients"
  # openbox gives a new window the focus; that is over before a run starts.
  wait_for 10 is_active "$second" || fail "openbox did not activate the newest window"
  run_dxplay windows
  expect_status 0 "windows under a window manager"
  [ "$(cat "$work/out")" = "$(entry_of "$first") - DxFirst
$(entry_of "$second") - DxSecond" ] || fail "windows under a window manager: $(cat "$work/out")"
  make_dxs "$work/key.dxs" "" 'KEY $41 PRESS' ENDSCRIPT
  local option value log window before
  eval "$(xdotool getwindowgeometry --shell "$first")"
  # option | its value | the window that must be in front and get the key
  while IFS='|' read -r option value log; do
    window=${!log}
    [ "$option" != --pick ] || xdotool mousemove $(( X + 50 )) $(( Y + 50 ))
    before=$(wc -l <"$work/$log.log")
    start_dxplay run "$work/key.dxs" --quiet $option $(eval echo "$value")
    [ "$option" != --pick ] || { wait_for 10 grab_seen "$work/$log.log" "$before" pointer || fail "--pick: no grab"; xdotool click 1; }
    finish_dxplay "$option under a window manager"
    expect_status 0 "$option under a window manager"
    is_active "$window" || fail "$option under a window manager: $(active_window) is active"
    wait_for 5 logged "$work/$log.log" "$before" "KeyPress a" || fail "$option under a window manager: no key in $log"
  done <<'EOF'
--window|$(entry_of "$first")|first
--window-name|DxSecond|second
--pick||first
EOF
}

# --- what a run prints -------------------------------------------------------------------

test_output() {
  start_xvfb
  make_dxs "$work/delay.dxs" "" "LONG a" "DELAY 300" ENDSCRIPT
  local options expected
  # options | what the terminal shows ("" for nothing)
  while IFS='|' read -r options expected; do
    # shellcheck disable=SC2086
    script -qec "$DXPLAY run $work/delay.dxs $options" /dev/null >"$work/typescript" </dev/null ||
      fail "run $options on a terminal failed: $(cat "$work/typescript")"
    if [ -n "$expected" ]; then
      grep -qF "$expected" "$work/typescript" || fail "run $options: the terminal lacks '$expected': $(cat -v "$work/typescript")"
    else
      [ ! -s "$work/typescript" ] || fail "run $options: the terminal shows $(cat -v "$work/typescript")"
    fi
  done <<'EOF'
|14: DELAY 300
--quiet|
EOF
  # A tight script redraws the status line at most once a frame (16 ms,
  # counted in whole milliseconds: at least 15 ms apart).
  local code=("LOOP 20000" "LONG a" "LONG b" ENDLOOP ENDSCRIPT) start_time redraws most
  make_dxs "$work/tight.dxs" "" "${code[@]}"
  start_time=$EPOCHREALTIME
  script -qec "$DXPLAY run $work/tight.dxs" /dev/null >"$work/typescript" </dev/null
  most=$(awk -v a="$start_time" -v b="$EPOCHREALTIME" 'BEGIN { printf "%d", (b - a) * 1000 / 15 + 2 }')
  redraws=$(grep -o $'\r\033\[K' "$work/typescript" | wc -l)
  (( redraws <= most )) || fail "the status line was drawn $redraws times, more than once a frame ($most)"
  run_dxplay run "$work/delay.dxs"
  expect_status 0 "run, output not a terminal"
  [ ! -s "$work/out" ] || fail "run, output not a terminal: it printed $(cat -v "$work/out")"
  run_dxplay --help
  expect_status 0 "--help"
  grep -q '^usage: dxplay run SCRIPT.dxs' "$work/out" || fail "--help: no usage on standard output"
  run_dxplay --version
  expect_status 0 "--version"
  grep -qx 'dxplay [0-9.]*' "$work/out" || fail "--version printed $(cat "$work/out")"
}

# --- bad input --------------------------------------------------------------------------

test_bad_input() {
  start_xvfb
  make_dxs "$work/good.dxs" "" ENDSCRIPT
  mkdir "$work/folder.dxs"
  mkfifo "$work/fifo.dxs"
  printf 'Dorvaxil script\r\nversion: 1.0\r\n\r\nnotes: $00ZZ\r\n' >"$work/broken.dxs"
  make_dxs "$work/bad_line.dxs" "" "LONG a" "LOOP 5 " ENDSCRIPT
  make_dxs "$work/no_keysym.dxs" "" 'KEY $41' "MOUSE LD" 'KEY $07 PRESS' ENDSCRIPT
  make_dxs "$work/not_on_map.dxs" "" 'KEY $10' 'KEY $87 PRESS' ENDSCRIPT
  local args expected_status text
  # arguments | exit status | a whole line stderr must hold ($work expanded)
  while IFS='|' read -r args expected_status text; do
    args=${args//\$work/$work}
    text=${text//\$work/$work}
    # shellcheck disable=SC2086
    DX_TIMEOUT=10 run_dxplay $args
    expect_status "$expected_status" "dxplay $args"
    expect_stderr "$text" "dxplay $args"
    expect_nothing_held "dxplay $args"
    cmp -s "$work/good.dxs" <(make_dxs /dev/stdout "" ENDSCRIPT) || fail "dxplay $args changed good.dxs"
  done <<'EOF'
run $work/none.dxs|2|dxplay: $work/none.dxs: File not found.
run $work/folder.dxs|2|dxplay: $work/folder.dxs: File access denied.
run $work/fifo.dxs|2|dxplay: $work/fifo.dxs: File access denied.
run $work/broken.dxs|2|dxplay: $work/broken.dxs:4: this line should be the notes count, such as 'notes: $0000', found 'notes: $00ZZ'
run $work/bad_line.dxs|1|$work/bad_line.dxs:14: '5 ' is not a valid integer value.
run $work/no_keysym.dxs|1|$work/no_keysym.dxs:15: key code $07 has no key on the keyboard layout us.
run $work/not_on_map.dxs|1|$work/not_on_map.dxs:14: key code $87 has no key on the current keyboard map.
run $work/good.dxs --window 7FFFFF00|4|dxplay: no window 7FFFFF00
run $work/good.dxs --window-name NoSuchTitleHere|4|dxplay: no top-level window's title contains 'NoSuchTitleHere'
run $work/good.dxs --window XYZ|64|dxplay: bad value for --window: 'XYZ'
run $work/good.dxs --bogus|64|dxplay: unknown option '--bogus'
run|64|dxplay: missing SCRIPT.dxs
capture $work/good.dxs|64|dxplay: capture needs --location N or --key N
capture $work/good.dxs --location 21|64|dxplay: bad value for --location: '21'
capture $work/good.dxs --key 0|64|dxplay: bad value for --key: '0'
frobnicate|64|dxplay: unknown command 'frobnicate'
run $work/good.dxs --stop-key ctrl+nokey|64|dxplay: bad value for --stop-key: 'ctrl+nokey'
run $work/good.dxs --stop-key ctrl+alt+F11 --quiet|0|dxplay: Ctrl+Alt+F11 switches consoles on most X servers, which then never pass it on: choose another stop key with --stop-key (Ctrl+C still stops the run)
EOF
  # An unreadable file, for a user without root's rights over it.
  make_dxs "$work/secret.dxs" "" ENDSCRIPT
  chmod 000 "$work/secret.dxs"
  chmod 755 "$work"
  local as_user=()
  [ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  status=0
  local reader=$DXPLAY
  [ "$(id -u)" -ne 0 ] || reader=$(unprivileged_dxplay)
  "${as_user[@]}" timeout 10 "$reader" run "$work/secret.dxs" >"$work/out" 2>"$work/err" || status=$?
  expect_status 2 "an unreadable file"
  expect_stderr "dxplay: $work/secret.dxs: File access denied." "an unreadable file"
  # A server without XTest.
  start_xvfb 640x480 -extension XTEST
  status=0
  timeout 10 "$DXPLAY" run "$work/good.dxs" >"$work/out" 2>"$work/err" || status=$?
  expect_status 3 "no XTest"
  expect_stderr "dxplay: the X server has no XTest extension, which dxplay needs to send input" "no XTest"
  # No display at all, or one that is not there: the message says what is needed.
  local display
  for display in "" :9999; do
    status=0
    env -u DISPLAY ${display:+DISPLAY=$display} timeout 10 "$DXPLAY" run "$work/good.dxs" >"$work/out" 2>"$work/err" ||
      status=$?
    expect_status 3 "display '$display'"
    expect_stderr "dxplay: cannot open the X display '$display': dxplay needs an X11 server (an X session or Xwayland) and DISPLAY naming it" \
      "display '$display'"
  done
}

# The X server goes away during a run: a clear message, exit 3, no hang.
test_server_gone() {
  start_xvfb
  local server=${started[0]}
  make_dxs "$work/loop.dxs" "" 'KEY $41' REPEAT "LONG a" "UNTILNE a a"
  make_dxs "$work/delay.dxs" "" 'KEY $41' "DELAY 100000"
  local script
  for script in loop delay; do
    [ "$script" = delay ] && start_xvfb && server=${started[-1]}
    start_dxplay run "$work/$script.dxs" --quiet
    wait_for 10 holding_key || fail "$script: the script never held its key"
    stop_process "$server"
    finish_dxplay "$script: server gone"
    expect_status 3 "$script: server gone"
    grep -q "connection to the X server was lost" "$work/err" || fail "$script: no clear message: $(cat "$work/err")"
  done
  # ... and while a capture waits for its click: the file stays as it was.
  start_xvfb
  server=${started[-1]}
  start_xev 1024x768+0+0 DxEvents "$work/xev.log"
  make_dxs "$work/capture.dxs" "L1=1,2" ENDSCRIPT
  cp "$work/capture.dxs" "$work/before.dxs"
  local before
  before=$(wc -l <"$work/xev.log")
  start_dxplay capture "$work/capture.dxs" --location 1
  wait_for 10 grab_seen "$work/xev.log" "$before" pointer || fail "capture: dxplay never grabbed the pointer"
  stop_process "$server"
  finish_dxplay "capture: server gone"
  expect_status 3 "capture: server gone"
  cmp "$work/capture.dxs" "$work/before.dxs" >&2 || fail "capture: server gone: the file changed"
}

holding_key() { held_down | grep -q key; }

"test_$group"
