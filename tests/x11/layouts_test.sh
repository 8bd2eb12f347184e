#!/usr/bin/env bash
# End-to-end tests of dxplay's keys on other keyboard layouts than US: the
# key each code presses, as a Windows PC with that layout presses it, seen
# by xev and by a shell in xterm; the code a captured key gives; the group
# that is active is the one typed in. One group of scenarios an invocation.
#   layouts_test.sh GROUP DXPLAY PROBE
set -euo pipefail
group=$1
DXPLAY=$2
PROBE=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_lib.sh"

trim() { sed 's/^[[:space:]]*//;s/[[:space:]]*$//' <<<"$1"; }
split_slashes() { sed 's# / #\n#g' <<<"$1"; }
key_presses() { xev_events | awk '$1 == "KeyPress" { printf "%s%s", sep, $2; sep = " " }'; }
presses_since() { tail -n "+$(( $2 + 1 ))" "$1" | key_presses; }
presses_seen() { [ "$(presses_since "$1" "$2" | wc -w)" -ge "$3" ]; }

# The keyboard map LAYOUTS (setxkbmap's list) with group GROUP locked, as a
# layout switcher leaves it.
layouts_in_use=
use_layouts() {  # layouts group
  if [ "$1" != "$layouts_in_use" ]; then
    setxkbmap -layout "$1" || fail "setxkbmap -layout $1 failed"
    layouts_in_use=$1
  fi
  "$PROBE" group "$2" >/dev/null || fail "group $2 of $1 could not be locked"
}

# Each row: the layouts, the group locked, the script's lines and the
# keysyms xev then sees pressed, in order.
test_keysyms() {
  start_xvfb
  start_xev 1024x768+0+0 DxLayouts "$work/xev.log"
  xdotool windowfocus --sync "$xev_window"
  local layouts lock code expected before actual
  while IFS='|' read -r layouts lock code expected; do
    layouts=$(trim "$layouts")
    [[ -z $layouts || $layouts == \#* ]] && continue
    use_layouts "$layouts" "$(trim "$lock")"
    mapfile -t lines < <(split_slashes "$(trim "$code")")
    expected=$(trim "$expected")
    make_dxs "$work/keys.dxs" "" "${lines[@]}" ENDSCRIPT
    before=$(wc -l <"$work/xev.log")
    run_dxplay run "$work/keys.dxs" --quiet
    expect_status 0 "$layouts: $code"
    wait_for 5 presses_seen "$work/xev.log" "$before" "$(wc -w <<<"$expected")" || true
    actual=$(presses_since "$work/xev.log" "$before")
    [ "$actual" = "$expected" ] || fail "$layouts: $code: xev saw '$actual', expected '$expected'"
    expect_nothing_held "$layouts: $code"
  done <<'EOF'
# German: Shift+7 and Shift+0 are / and =; AltGr (right Alt) with 8, ß, Q,
# 7 and + types [ \ @ { ~; the codes of Ä Ö Ü ß; the US script's OEM codes
# type what the German keys of those codes carry; Y and Z by their labels.
de    | 0 | KEY $10 / KEY $37 PRESS / KEY $30 PRESS / KEY $10 UP | Shift_L slash equal
de    | 0 | KEY $A5 / KEY $38 PRESS / KEY $DB PRESS / KEY $51 PRESS / KEY $37 PRESS / KEY $BB PRESS / KEY $A5 UP | ISO_Level3_Shift bracketleft backslash at braceleft asciitilde
de    | 0 | KEY $DE PRESS / KEY $C0 PRESS / KEY $BA PRESS / KEY $DB PRESS | adiaeresis odiaeresis udiaeresis ssharp
de    | 0 | KEY $BF PRESS / KEY $BD PRESS / KEY $E2 PRESS / KEY $BC PRESS / KEY $59 PRESS / KEY $5A PRESS | numbersign minus less comma y z
# French: the letters where AZERTY has them, the digit row's codes type its
# unshifted signs, and with Shift the digits; M and the punctuation.
fr    | 0 | KEY $41 PRESS / KEY $5A PRESS / KEY $51 PRESS / KEY $57 PRESS / KEY $4D PRESS | a z q w m
fr    | 0 | KEY $31 PRESS / KEY $32 PRESS / KEY $30 PRESS / KEY $10 / KEY $31 PRESS / KEY $39 PRESS / KEY $30 PRESS / KEY $10 UP | ampersand eacute agrave Shift_L 1 9 0
fr    | 0 | KEY $BC PRESS / KEY $BE PRESS / KEY $BF PRESS / KEY $DF PRESS / KEY $DE PRESS / KEY $C0 PRESS | comma semicolon colon exclam twosuperior ugrave
# The other layouts with rows of their own, each on its OEM keys.
gb    | 0 | KEY $DF PRESS / KEY $C0 PRESS / KEY $DE PRESS / KEY $DC PRESS | grave apostrophe numbersign backslash
es    | 0 | KEY $DB PRESS / KEY $C0 PRESS / KEY $DC PRESS / KEY $BF PRESS / KEY $BD PRESS | apostrophe ntilde masculine ccedilla minus
it    | 0 | KEY $DC PRESS / KEY $BA PRESS / KEY $C0 PRESS / KEY $DE PRESS / KEY $BF PRESS / KEY $BD PRESS | backslash egrave ograve agrave ugrave minus
pl    | 0 | KEY $BF PRESS / KEY $C0 PRESS / KEY $A5 / KEY $41 PRESS / KEY $A5 UP | slash grave ISO_Level3_Shift aogonek
cz    | 0 | KEY $BB PRESS / KEY $C0 PRESS / KEY $31 PRESS / KEY $DB PRESS / KEY $BA PRESS / KEY $DE PRESS / KEY $E2 PRESS / KEY $5A PRESS | equal semicolon plus uacute uring section backslash z
ru    | 0 | KEY $41 PRESS / KEY $BA PRESS / KEY $BE PRESS / KEY $C0 PRESS | Cyrillic_ef Cyrillic_zhe Cyrillic_yu Cyrillic_io
# Two layouts, the second active: typed in the second.
us,de | 1 | KEY $59 PRESS / KEY $5A PRESS / KEY $51 PRESS / KEY $C0 PRESS | y z q odiaeresis
us,de | 0 | KEY $59 PRESS / KEY $5A PRESS / KEY $51 PRESS / KEY $C0 PRESS | y z q grave
de,fr | 1 | KEY $41 PRESS / KEY $5A PRESS / KEY $59 PRESS | a z y
ch    | 0 | KEY $59 PRESS / KEY $5A PRESS / KEY $DE PRESS / KEY $DC PRESS / KEY $BF PRESS / KEY $DF PRESS | y z odiaeresis adiaeresis section dollar
se    | 0 | KEY $C0 PRESS / KEY $DE PRESS / KEY $DD PRESS / KEY $BB PRESS | odiaeresis adiaeresis aring plus
dk    | 0 | KEY $C0 PRESS / KEY $DE PRESS / KEY $BF PRESS | ae oslash apostrophe
pt    | 0 | KEY $BB PRESS / KEY $C0 PRESS / KEY $DE PRESS / KEY $DB PRESS | plus ccedilla masculine apostrophe
hu    | 0 | KEY $30 PRESS / KEY $C0 PRESS / KEY $59 PRESS | 0 odiaeresis y
de(nodeadkeys) | 0 | KEY $C0 PRESS / KEY $59 PRESS / KEY $DC PRESS | odiaeresis y asciicircum
# Layouts without a row of their own: letters by their labels (Belgian
# AZERTY, a Dvorak variant).
be    | 0 | KEY $41 PRESS / KEY $51 PRESS / KEY $5A PRESS / KEY $57 PRESS / KEY $4D PRESS | a q z w m
us(dvorak) | 0 | KEY $41 PRESS / KEY $53 PRESS / KEY $44 PRESS / KEY $46 PRESS | a s d f
EOF
  # A group switched during the run: the next KEY line types in it.
  use_layouts us,de 0
  make_dxs "$work/switch.dxs" "" 'KEY $C0 PRESS' 'DELAY 1500' 'KEY $C0 PRESS' ENDSCRIPT
  before=$(wc -l <"$work/xev.log")
  start "$work/player.out" "$DXPLAY" run "$work/switch.dxs" --quiet
  local player=$last_pid
  wait_for 10 presses_seen "$work/xev.log" "$before" 1 || fail "a group switched during the run: no first key"
  "$PROBE" group 1 >/dev/null || fail "group 1 of us,de could not be locked"
  wait_for 10 presses_seen "$work/xev.log" "$before" 2 || fail "a group switched during the run: no second key"
  actual=$(presses_since "$work/xev.log" "$before")
  [ "$actual" = "grave odiaeresis" ] || fail "a group switched during the run: xev saw '$actual'"
  wait_for 10 gone "$player" || fail "a group switched during the run: dxplay did not end"
  # A code the active layout has no key for fails its line.
  use_layouts us 0
  make_dxs "$work/oem8.dxs" "" 'KEY $DF PRESS' ENDSCRIPT
  run_dxplay run "$work/oem8.dxs" --quiet
  expect_status 1 "KEY \$DF on us"
  expect_stderr "$work/oem8.dxs:13: key code \$DF has no key on the keyboard layout us." "KEY \$DF on us"
}

# A shell in xterm writes what it is typed into a file: the bytes an
# application receives, read back without trusting dxplay.
test_xterm() {
  start_xvfb
  mkdir "$work/home"
  start "$work/xterm.log" env LC_ALL=C.UTF-8 xterm -u8 -T DxLayoutTerm -geometry 80x24+0+0 \
    -e sh -c "cd '$work/home' && touch ready && exec cat >typed"
  wait_for 10 test -e "$work/home/ready" || fail "xterm did not start cat"
  wait_mapped DxLayoutTerm
  local layouts lock code expected
  while IFS='|' read -r layouts lock code expected; do
    layouts=$(trim "$layouts")
    [[ -z $layouts || $layouts == \#* ]] && continue
    use_layouts "$layouts" "$(trim "$lock")"
    mapfile -t lines < <(split_slashes "$(trim "$code")")
    expected=$(trim "$expected")
    make_dxs "$work/type.dxs" "" "${lines[@]}" 'KEY $0D PRESS' ENDSCRIPT
    run_dxplay run "$work/type.dxs" --window-name DxLayoutTerm --quiet
    expect_status 0 "typing on $layouts"
    wait_for 5 grep -qxF -- "$expected" "$work/home/typed" ||
      fail "typing on $layouts: cat wrote '$(tail -1 "$work/home/typed")', expected '$expected'"
    expect_nothing_held "typing on $layouts"
  done <<'EOF'
de    | 0 | KEY $10 / KEY $37 PRESS / KEY $30 PRESS / KEY $10 UP / KEY $A5 / KEY $38 PRESS / KEY $DB PRESS / KEY $51 PRESS / KEY $37 PRESS / KEY $BB PRESS / KEY $A5 UP / KEY $DE PRESS / KEY $C0 PRESS / KEY $BA PRESS / KEY $DB PRESS | /=[\@{~äöüß
fr    | 0 | KEY $41 PRESS / KEY $5A PRESS / KEY $45 PRESS / KEY $52 PRESS / KEY $51 PRESS / KEY $57 PRESS / KEY $4D PRESS / KEY $20 PRESS / KEY $10 / KEY $31 PRESS / KEY $32 PRESS / KEY $33 PRESS / KEY $30 PRESS / KEY $10 UP / KEY $31 PRESS / KEY $32 PRESS | azerqwm 1230&é
us,de | 1 | KEY $59 PRESS / KEY $5A PRESS / KEY $51 PRESS | yzq
EOF
}

# A captured key gives the code Windows gives it on that layout. Keys are
# pressed by keycode (evdev code + 8), as a keyboard presses them.
test_capture() {
  start_xvfb
  start_xev 1024x768+0+0 DxLayouts "$work/xev.log"
  xdotool windowfocus --sync "$xev_window"
  make_dxs "$work/capture.dxs" "" ENDSCRIPT
  local layouts lock keycode code what before player slot
  while IFS='|' read -r layouts lock keycode code what; do
    [[ $layouts == \#* ]] && continue
    use_layouts "$layouts" "$lock"
    what="$layouts: $what"
    before=$(wc -l <"$work/xev.log")
    start "$work/player.out" "$DXPLAY" capture "$work/capture.dxs" --key 7
    player=$last_pid
    wait_for 10 grab_seen "$work/xev.log" "$before" keyboard || fail "$what: dxplay never grabbed the keyboard"
    xdotool key "$keycode"
    wait_for 10 gone "$player" || fail "$what: the capture did not end"
    status=0
    wait "$player" || status=$?
    [ "$status" = 0 ] || fail "$what: exit status $status: $(cat "$work/player.out")"
    slot=$(sed -n 's/^07: \$\([0-9A-F]*\)\r$/\1/p' "$work/capture.dxs")
    [ "$slot" = "$code" ] || fail "$what: slot 7 holds '$slot', expected $code"
    expect_nothing_held "$what"
  done <<'EOF'
# Num Lock (keycode 77) is on from the row that presses it to the row that
# presses it again.
us|0|77|90|Num Lock
us|0|90|60|the pad's 0 with Num Lock
us|0|91|6E|the pad's . with Num Lock
us|0|77|90|Num Lock again
de|0|47|C0|ö
de|0|48|DE|ä
de|0|34|BA|ü
de|0|20|DB|ß
de|0|35|BB|+
de|0|51|BF|#
de|0|94|E2|<
de|0|49|DC|^
de|0|29|5A|z
de|0|52|59|y
de|0|108|12|AltGr, recorded as Alt as Windows records it
de|0|104|0D|the pad's Enter
de|0|90|2D|the pad's 0 without Num Lock
fr|0|24|41|a
fr|0|47|4D|m
fr|0|10|31|&
fr|0|61|DF|!
us,de|1|29|5A|z of the second group
us,de|1|52|59|y of the second group
us|0|172|B3|play
us|0|108|12|right Alt
EOF
}

"test_$group"
