#!/usr/bin/env bash
# End-to-end tests of dxplay's stop key while another client holds the
# keyboard, of a target on another desktop or closed during the run, and of
# Escape in a capture; checked by what the applications themselves hold
# (the editor's saved file, the bytes a terminal received), and by what the
# XTest devices still hold down. One group an invocation:
#   stop_window_test.sh GROUP DXPLAY PROBE
set -euo pipefail
group=$1
DXPLAY=$2
PROBE=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_lib.sh"

holding_key() { held_down | grep -q key; }
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
current_desktop() { xprop -root _NET_CURRENT_DESKTOP | sed 's/.* = //'; }
keyboard_grabbed() { "$PROBE" keyboard-grabbed; }

start_openbox() {
  start "$work/wm.log" openbox --sm-disable
  wait_for 10 wm_running || fail "openbox did not start: $(cat "$work/wm.log")"
}

# mousepad editing FILE as on first use (a home of its own each time: one
# that was killed would offer to restore its session); its window id in
# $editor, its pid in $editor_pid.
start_mousepad() {  # file
  local home
  home=$(mktemp -d "$work/home.XXXXXX")
  start "$work/mousepad.log" env HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_CACHE_HOME="$home/.cache" XDG_DATA_HOME="$home/.local/share" NO_AT_BRIDGE=1 mousepad "$1"
  editor_pid=$last_pid
  wait_for 20 xdotool search --onlyvisible --name "$(basename "$1") - Mousepad" >/dev/null ||
    fail "mousepad did not show its window: $(cat "$work/mousepad.log")"
  editor=$(xdotool search --onlyvisible --name "$(basename "$1") - Mousepad" | head -1)
}

file_holds() { [ "$(cat "$1")" = "$2" ]; }  # file text

# --- the stop key while another client holds the keyboard -------------------------

test_stop_grabbed() {
  start_xvfb
  start_openbox
  : >"$work/note.txt"
  start_mousepad "$work/note.txt"
  make_dxs "$work/wait.dxs" "" 'KEY $41' "DELAY 100000"
  make_dxs "$work/super.dxs" "" 'KEY $5B' "DELAY 100000"
  # The script types the combination itself: on Windows its own keys reach
  # the hot key like any other, so it stops itself.
  make_dxs "$work/self.dxs" "" 'KEY $11' 'KEY $12' 'KEY $10' 'KEY $7B PRESS' "DELAY 100000"
  local script holder what
  # script | who holds the keyboard while the stop key is pressed
  while read -r script holder; do
    what="$script, $holder"
    xdotool windowactivate --sync "$editor"
    case $holder in
      menu) xdotool key F10 ;;  # mousepad's menu bar: an open menu grabs the keyboard
      probe) start "$work/grab.log" "$PROBE" grab-keyboard; wait_for 5 grep -q grabbed "$work/grab.log" ||
               fail "$what: the probe did not grab the keyboard" ;;
    esac
    [ "$holder" = none ] || wait_for 5 keyboard_grabbed || fail "$what: nobody grabbed the keyboard"
    start_dxplay run "$work/$script.dxs" --quiet
    if [ "$script" != self ]; then
      wait_for 10 holding_key || fail "$what: the script never held its key"
      xdotool key ctrl+alt+shift+F12
    fi
    finish_dxplay "$what"
    expect_status 5 "$what"
    expect_nothing_held "$what"
    [ "$holder" != probe ] || stop_process "$last_pid"
    [ "$holder" != menu ] || xdotool key Escape
  done <<'EOF'
wait menu
wait probe
super none
super menu
self none
EOF
}

# --- the target on another desktop; a target that takes no focus ------------------

test_target_desktop() {
  start_xvfb
  start_openbox
  : >"$work/note.txt"
  start_mousepad "$work/note.txt"
  xdotool set_desktop_for_window "$editor" 2
  wait_for 5 eval '[ "$(xdotool get_desktop_for_window "$editor")" = 2 ]' || fail "the editor did not move to desktop 2"
  xdotool set_desktop 0
  wait_for 5 eval '[ "$(current_desktop)" = 0 ]' || fail "openbox did not switch to desktop 0"
  # Type, then save with Ctrl+S: the file shows what the editor took.
  make_dxs "$work/type.dxs" "" 'KEY $44 PRESS' 'KEY $58 PRESS' 'KEY $11' 'KEY $53 PRESS' 'KEY $11 UP' ENDSCRIPT
  run_dxplay run "$work/type.dxs" --quiet --window "$(printf '%08X' "$editor")"
  expect_status 0 "a target on desktop 2"
  [ "$(current_desktop)" = 2 ] || fail "a target on desktop 2: the desktop is $(current_desktop)"
  wait_for 5 file_holds "$work/note.txt" dx || fail "a target on desktop 2: the file holds '$(cat "$work/note.txt")'"
  # A window that never takes the focus, and dxplay started in a terminal:
  # its keys must not land in the terminal. What the terminal received
  # stays in its input for the cat behind dxplay.
  start "$work/nofocus.log" "$PROBE" nofocus DxNoFocus
  wait_for 5 grep -q mapped "$work/nofocus.log" || fail "the probe did not map its window"
  make_dxs "$work/enter.dxs" "" 'KEY $41 PRESS' 'KEY $42 PRESS' 'KEY $0D PRESS' ENDSCRIPT
  local option expected typed message
  # option | exit status | what the terminal received | dxplay's message
  while IFS='|' read -r option expected typed message; do
    rm -f "$work/status" "$work/typed"
    start "$work/xterm.log" xterm -geometry 80x10+0+0 -e bash -c \
      "'$DXPLAY' run '$work/enter.dxs' --window-name DxNoFocus $option 2>'$work/err'; echo \$? >'$work/status'; cat >'$work/typed'"
    local terminal=$last_pid
    wait_for 10 test -s "$work/status" || fail "$option: dxplay in the terminal did not end"
    status=$(cat "$work/status")
    expect_status "$expected" "a window that takes no focus $option"
    sleep 0.3  # whatever reached the terminal is read by now
    [ "$(cat "$work/typed" 2>/dev/null)" = "$typed" ] ||
      fail "a window that takes no focus $option: the terminal received '$(cat "$work/typed" 2>/dev/null)'"
    stop_process "$terminal"
    expect_stderr "$message" "a window that takes no focus $option"
    expect_nothing_held "a window that takes no focus $option"
  done <<'EOF'
|6||dxplay: the window did not take the focus: nothing was played (--play-unfocused plays anyway)
--play-unfocused|0|ab|dxplay: the window did not take the focus; playing anyway
EOF
}

# --- the target closed during the run --------------------------------------------------

test_target_closed() {
  start_xvfb
  local wm how what row=0
  # window manager | how the editor goes
  while read -r wm how; do
    what="$wm, $how"
    row=$(( row + 1 ))
    [ "$wm" = none ] || wm_running || start_openbox
    # Something to take the focus once the editor has gone: it must see none of the keys.
    start "$work/xev.$row.log" xev -geometry 1024x768+0+0 -name DxBehind
    local behind=$last_pid
    wait_for 10 grep -q '^MapNotify' "$work/xev.$row.log" || fail "$what: xev did not map its window"
    : >"$work/note.txt"
    start_mousepad "$work/note.txt"
    [ "$wm" != none ] || xdotool windowfocus --sync "$editor"
    # Shift held, then a letter every 20 ms until the end.
    make_dxs "$work/loop.dxs" "" 'KEY $10' "LOOP 100000" 'KEY $41 PRESS' "DELAY 20" ENDLOOP
    start_dxplay run "$work/loop.dxs" --quiet --window "$(printf '%08X' "$editor")"
    wait_for 10 holding_key || fail "$what: the script never held Shift"
    sleep 0.3
    case $how in
      kill) kill "$editor_pid" ;;
      minimise) xdotool windowminimize "$editor" ;;
    esac
    finish_dxplay "$what"
    expect_status 7 "$what"
    grep -qE '^dxplay: the target window closed or was hidden: the run ended at line [0-9]+ and released every key and button$' \
      "$work/err" || fail "$what: $(cat "$work/err")"
    expect_nothing_held "$what"
    sleep 0.2
    ! grep -q '^KeyPress' "$work/xev.$row.log" || fail "$what: keys reached the window behind the editor"
    stop_process "$editor_pid"
    stop_process "$behind"
  done <<'EOF'
none kill
openbox kill
openbox minimise
EOF
  # A target that closes while the script waits.
  start "$work/xev.gone.log" xev -geometry 300x300+0+0 -name DxGone
  local gone_pid=$last_pid
  wait_for 10 grep -q '^MapNotify' "$work/xev.gone.log" || fail "xev did not map its window"
  local gone_window
  gone_window=$(sed -n 's/^Outer window is \(0x[0-9a-f]*\),.*/\1/p' "$work/xev.gone.log")
  make_dxs "$work/late.dxs" "" 'KEY $10' "DELAY 100000" 'KEY $41 PRESS' ENDSCRIPT
  start_dxplay run "$work/late.dxs" --quiet --window "$(printf '%08X' "$gone_window")"
  wait_for 10 holding_key || fail "a target closed in a DELAY: the script never held Shift"
  stop_process "$gone_pid"
  finish_dxplay "a target closed in a DELAY"
  expect_status 7 "a target closed in a DELAY"
  expect_nothing_held "a target closed in a DELAY"
}

# --- Escape cancels a capture and a pick ------------------------------------------------

test_cancel() {
  start_xvfb
  start "$work/xev.log" xev -geometry 1024x768+0+0 -name DxEvents
  wait_for 10 grep -q '^MapNotify' "$work/xev.log" || fail "xev did not map its window"
  make_dxs "$work/capture.dxs" "K1=41 L1=100,200" "MOUSE GO 1" "MOUSE LC" ENDSCRIPT
  cp "$work/capture.dxs" "$work/before.dxs"
  local args message
  # command line | message
  while IFS='|' read -r args message; do
    # shellcheck disable=SC2086
    start_dxplay $args
    wait_for 10 keyboard_grabbed || fail "$args: dxplay never grabbed the keyboard"
    xdotool key Escape
    finish_dxplay "Escape in $args"
    expect_status 8 "Escape in $args"
    expect_stderr "$message" "Escape in $args"
    cmp "$work/capture.dxs" "$work/before.dxs" >&2 || fail "Escape in $args changed the file"
    ! keyboard_grabbed || fail "Escape in $args: the keyboard stayed grabbed"
  done <<EOF
capture $work/capture.dxs --location 2|dxplay: cancelled with Escape: nothing was written
capture $work/capture.dxs --key 3|dxplay: cancelled with Escape: nothing was written
run $work/capture.dxs --pick|dxplay: cancelled with Escape: nothing was played
EOF
  ! grep -qE '^(KeyPress|ButtonPress)' "$work/xev.log" || fail "Escape reached the window under the capture"
}

"test_$group"
