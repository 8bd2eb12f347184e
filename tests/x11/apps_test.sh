#!/usr/bin/env bash
# End-to-end tests of dxplay's clicks in the applications people use: GTK3
# (mousepad, galculator) and Qt5 (featherpad), each bare and under openbox,
# checked by the application's own state (the saved file, the selection,
# the calculator's result), never by dxplay's output.
#   apps_test.sh GROUP DXPLAY
set -euo pipefail
group=$1
DXPLAY=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_lib.sh"
export LANG=C LC_ALL=C

for tool in mousepad featherpad galculator xsel openbox; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" >&2; exit "$x11_skip"; }
done

# A fresh server for each pass, the applications as on first use; the
# previous pass's server and clients are stopped first.
start_desktop() {  # bare|openbox
  local i
  for (( i = ${#started[@]} - 1; i >= 0; i-- )); do stop_process "${started[i]}"; done
  started=()
  start_xvfb
  export HOME=$work/home.$1 XDG_CONFIG_HOME=$work/home.$1/.config XDG_CACHE_HOME=$work/home.$1/.cache
  mkdir -p "$XDG_CONFIG_HOME"
  if [ "$1" = openbox ]; then
    start "$work/openbox.log" openbox
    wait_for 10 wm_running || fail "openbox did not start"
  fi
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Waits for the application's window titled by the pattern; its id in
# $app_window, its client area's root origin in $app_x, $app_y.
wait_app() {  # title-regex
  wait_for 15 xdotool search --onlyvisible --name "$1" >/dev/null || fail "no window '$1' was mapped"
  # Drawn once and placed by the window manager: a click before may find
  # no widget yet.
  sleep 0.5
  largest_window_named "$1" || fail "the window '$1' went away"
  app_window=$found_window app_x=$found_x app_y=$found_y
}

# The target as `dxplay windows` names it, or in FORM: hex (0x...) or
# decimal, as other X tools print ids.
play() {  # what slots code...
  local what=$1 target
  shift
  case ${form:-entry} in
    entry) target=$(printf %08X "$app_window") ;;
    hex) target=$(printf 0x%x "$app_window") ;;
    decimal) target=$(printf %d "$app_window") ;;
  esac
  make_dxs "$work/play.dxs" "$@" ENDSCRIPT
  run_dxplay run "$work/play.dxs" --quiet --window "$target"
  expect_status 0 "$what"
  expect_nothing_held "$what"
}

# The point of character INDEX of the editor's first line, a quarter into
# its cell: a click there puts the caret before it.
char_point() {  # index: uses $text_x, $char_w (tenths of a pixel), $text_y
  echo "$(( app_x + text_x + ($1 * char_w + char_w / 4) / 10 )),$(( app_y + text_y ))"
}

file_holds() { [ "$(cat "$1")" = "$2" ]; }
primary_is() { [ "$(timeout 2 xsel -p -o 2>/dev/null)" = "$1" ]; }

# Clicks before three characters, typing a letter after each, then Ctrl+S;
# a double-click on each of three words selects it.
editor_rows() {  # what file
  local what=$1 file=$2
  play "$what: click then type" \
    "L1=$(char_point 6) L2=$(char_point 12) L3=$(char_point 0)" \
    "MOUSE GO 1" "MOUSE LC" 'KEY $5A PRESS' "MOUSE GO 2" "MOUSE LC" 'KEY $59 PRESS' \
    "MOUSE GO 3" "MOUSE LC" 'KEY $58 PRESS' 'KEY $11' 'KEY $53 PRESS' 'KEY $11 UP'
  wait_for 5 file_holds "$file" "xalpha zbeta ygamma delta" ||
    fail "$what: click then type saved '$(cat "$file")'"
  local word index
  # A click elsewhere within the double-click time would count as the first
  # of the sequence (the last run's click): the double-click waits it out,
  # as the manual's recipe says.
  for word in zbeta:8 delta:22 xalpha:2; do
    index=${word#*:} word=${word%:*}
    form=hex play "$what: double-click on $word" "L1=$(char_point "$index")" "DELAY 500" "MOUSE GO 1" "MOUSE LC" "MOUSE LC"
    wait_for 3 primary_is "$word" || fail "$what: a double-click on $word selected '$(timeout 2 xsel -p -o)'"
  done
}

test_mousepad() {
  local desktop
  for desktop in bare openbox; do
    start_desktop "$desktop"
    printf 'alpha beta gamma delta' >"$work/$desktop.txt"
    start "$work/mousepad.log" mousepad "$work/$desktop.txt"
    wait_app "$desktop.txt - Mousepad\$"
    # Run by root, mousepad shows a warning bar above the text.
    text_x=3 char_w=90 text_y=37
    [ "$(id -u)" -ne 0 ] || text_y=61
    editor_rows "mousepad $desktop" "$work/$desktop.txt"
  done
}

test_featherpad() {
  local desktop
  for desktop in bare openbox; do
    start_desktop "$desktop"
    printf 'alpha beta gamma delta' >"$work/$desktop.txt"
    start "$work/featherpad.log" featherpad "$work/$desktop.txt"
    wait_app "$desktop.txt"
    text_x=4 char_w=78 text_y=106
    editor_rows "featherpad $desktop" "$work/$desktop.txt"
  done
}

# The calculator's buttons, centres in its first window (331x343).
declare -A button_at=([1]=35,279 [2]=100,279 [3]=165,279 [times]=230,239 [plus]=230,319 [equals]=295,299 [AC]=242,113)

calculator_shows() { xdotool key ctrl+c && [ "$(timeout 2 xsel -b -o 2>/dev/null)" = "$1" ]; }

# Every button of a row clicked without a DELAY, the row after AC.
test_galculator() {
  local desktop row expected slots code n key
  for desktop in bare openbox; do
    start_desktop "$desktop"
    start "$work/galculator.log" galculator
    wait_app '^galculator$'
    for row in "1 2 times 3 equals :36" "AC 3 plus 2 1 equals :24"; do
      expected=${row#*:} slots= code=() n=0
      for key in ${row%:*}; do
        n=$(( n + 1 ))
        slots+=" L$n=$(( app_x + ${button_at[$key]%,*} )),$(( app_y + ${button_at[$key]#*,} ))"
        code+=("MOUSE GO $n" "MOUSE LC")
      done
      form=decimal play "galculator $desktop: ${row%:*}" "$slots" "${code[@]}"
      wait_for 3 calculator_shows "$expected" ||
        fail "galculator $desktop: ${row%:*} shows '$(timeout 2 xsel -b -o)', expected $expected"
    done
  done
}

"test_$group"
