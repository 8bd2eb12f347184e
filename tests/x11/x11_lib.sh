# Shared pieces of the X11 end-to-end tests, sourced by x11_test.sh and the
# benchmark: private X servers, xev logs read back as one event a line,
# what the XTest devices still hold down, script files written from code
# lines, and waits bounded in time that poll for a condition.
#
# Everything started here is stopped on exit, servers last, so no test
# leaves an X server or a client running.

x11_skip=77  # the exit status CTest reports as a skipped test

work=$(mktemp -d "${TMPDIR:-/tmp}/dx-x11.XXXXXX")
started=()

# dxplay where an unprivileged user can run it: the build may stand under a
# folder only root may enter (/root, say).
unprivileged_dxplay() {
  if [ ! -x "$work/bin/dxplay" ]; then
    mkdir -p "$work/bin"
    cp "$DXPLAY" "$work/bin/dxplay"
    chmod 755 "$work" "$work/bin" "$work/bin/dxplay"
  fi
  echo "$work/bin/dxplay"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Polls CMD every 10 ms until it succeeds or SECONDS have passed.
wait_for() {  # seconds cmd...
  local deadline=$(( ${EPOCHREALTIME/./} + $1 * 1000000 ))
  shift
  until "$@"; do
    (( ${EPOCHREALTIME/./} < deadline )) || return 1
    sleep 0.01
  done
}

gone() {  # pid: true once the process has ended (a zombie counts as ended)
  local state
  state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 0
  [ "$state" = Z ] || [ -z "$state" ]
}

stop_process() {  # pid
  kill "$1" 2>/dev/null || return 0
  wait_for 5 gone "$1" || kill -9 "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

cleanup() {
  local i
  for (( i = ${#started[@]} - 1; i >= 0; i-- )); do stop_process "${started[i]}"; done
  if [ -n "${DX_KEEP:-}" ]; then echo "kept $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT

# Starts dxplay in the background; its pid in $player.
start_dxplay() {  # args...
  start "$work/player.out" env --default-signal=INT,TERM,HUP,QUIT "$DXPLAY" "$@"
  player=$last_pid
}

# Waits for the background dxplay ($player) to end; its exit status in
# $status, its output in $work/err.
finish_dxplay() {  # what
  wait_for 10 gone "$player" || fail "$1: dxplay did not end"
  status=0
  wait "$player" || status=$?
  cp "$work/player.out" "$work/err"
}

# Starts CMD in the background with its output in LOG; remembers it for the
# clean-up. The pid is in $last_pid.
start() {  # log cmd...
  local log=$1
  shift
  : >"$log"  # there before anyone polls it
  "$@" >"$log" 2>&1 &
  last_pid=$!
  started+=("$last_pid")
}

display_named_in() {  # file written through -displayfd
  [ -s "$1" ] && grep -q '^[0-9]' "$1"
}

# A private Xvfb on a display number the server picks itself; more
# arguments go to Xvfb (-extension RANDR leaves RandR out).
start_xvfb() {  # [WxH [xvfb args...]]
  local size=${1:-1024x768}
  shift || true
  # A file of its own for each server, made empty before it starts, so that
  # the number read is never an earlier server's.
  local display_file=$work/xvfb.${#started[@]}.display
  : >"$display_file"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset "$@" \
    3>"$display_file" >"$work/xvfb.log" 2>&1 &
  started+=("$!")
  wait_for 20 display_named_in "$display_file" ||
    fail "Xvfb did not start: $(tail -3 "$work/xvfb.log")"
  export DISPLAY=":$(head -1 "$display_file")"
}

# Xorg's dummy driver with two 1024x768 heads: the primary at root 1024,0
# and a second one to its left at root 0,0. Xorg needs root; elsewhere the
# test is skipped, saying why. It shares the console it starts on and never
# switches consoles, so a run on a desktop machine leaves the user's alone.
start_two_heads() {  # config
  if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: two monitors need Xorg's dummy driver, which only root can start" >&2
    exit "$x11_skip"
  fi
  mkdir -p "$work/empty.d"
  Xorg -displayfd 3 -config "$1" -configdir "$work/empty.d" -noreset -nolisten tcp -sharevts -novtswitch \
    -logfile "$work/xorg.log" 3>"$work/xorg.display" >"$work/xorg.out" 2>&1 &
  started+=("$!")
  wait_for 30 display_named_in "$work/xorg.display" ||
    fail "Xorg did not start: $(tail -5 "$work/xorg.out")"
  export DISPLAY=":$(head -1 "$work/xorg.display")"
}

# An xev window at GEOMETRY titled TITLE, logging to LOG; returns once xev's
# window is mapped, with its outer window id in $xev_window.
start_xev() {  # geometry title log
  start "$3" xev -geometry "$1" -name "$2"
  xev_pid=$last_pid
  wait_for 10 grep -q '^MapNotify' "$3" || fail "xev did not map its window"
  xev_window=$(sed -n 's/^Outer window is \(0x[0-9a-f]*\),.*/\1/p' "$3")
}

# Waits until a window titled exactly TITLE is viewable; its id in $mapped_window.
wait_mapped() {  # title
  wait_for 10 xdotool search --onlyvisible --name "^$1\$" >/dev/null || fail "no window '$1' was mapped"
  mapped_window=$(xdotool search --onlyvisible --name "^$1\$" | head -1)
}

# The largest viewable window whose title matches the pattern: its id in
# $found_window, its root origin in $found_x, $found_y; false when none.
# (A GTK application maps a small window of its title for a moment at the
# start.)
largest_window_named() {  # title-regex
  local id info area best=0
  for id in $(xdotool search --onlyvisible --name "$1"); do
    info=$(xwininfo -id "$id" 2>/dev/null) || continue
    area=$(( $(sed -n 's/.*Width: *//p' <<<"$info") * $(sed -n 's/.*Height: *//p' <<<"$info") ))
    (( area > best )) || continue
    best=$area found_window=$id
    found_x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    found_y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  done
  (( best > 0 ))
}

# xev's log as one line per input event, in order:
#   Motion X,Y | ButtonPress N X,Y | ButtonRelease N X,Y | KeyPress KEYSYM | KeyRelease KEYSYM
# with root coordinates.
xev_events() {  # [log], else standard input
  awk '
    /^(KeyPress|KeyRelease|ButtonPress|ButtonRelease|MotionNotify) event/ { type = $1; n = 0; next }
    type == "" { next }
    ++n == 1 { match($0, /root:\(-?[0-9]+,-?[0-9]+\)/); at = substr($0, RSTART + 6, RLENGTH - 7); next }
    n == 2 {
      if (type ~ /^Key/) { match($0, /keysym 0x[0-9a-f]+, [^)]*/); split(substr($0, RSTART, RLENGTH), k, ", "); print type, k[2] }
      else if (type ~ /^Button/) { match($0, /button [0-9]+/); print type, substr($0, RSTART + 7, RLENGTH - 7), at }
      else print "Motion", at
      type = ""
    }' ${1+"$1"}
}

# True once xev, after line LINE of its log, has seen someone grab the
# pointer (its window loses the pointer to the grab) or the keyboard (its
# window, which must hold the focus, loses it to the grab).
grab_seen() {  # log line pointer|keyboard
  local event=LeaveNotify
  [ "$3" = keyboard ] && event=FocusOut
  tail -n "+$(( $2 + 1 ))" "$1" | awk -v event="$event" '
    $1 == event && $2 == "event," { seen = NR; next }
    seen && NR <= seen + 2 && /mode NotifyGrab,/ { found = 1 }
    END { exit !found }'
}

# Every key and button the XTest devices still hold down, one a line; empty
# when nothing is held.
held_down() {
  local device
  for device in "Virtual core XTEST keyboard" "Virtual core XTEST pointer"; do
    xinput query-state "$device" | grep -E '^\s*(key|button)\[[0-9]+\]=down' || true
  done
}

expect_nothing_held() {  # what
  local held
  held=$(held_down)
  [ -z "$held" ] || fail "$1: still held down: $(echo $held)"
}

# A coordinate as a location line writes it: three hex digits for 0..4095,
# else a sign and the hex digits of the magnitude.
dxs_coordinate() {  # value
  if (( $1 >= 0 && $1 <= 4095 )); then printf '$%03X' "$1"
  elif (( $1 < 0 )); then printf '$-%X' $(( -$1 ))
  else printf '$+%X' "$1"; fi
}

slot_value() {  # name slots...: the value of the last slot of that name
  local name=$1 slot value=
  shift
  for slot; do [ "${slot%%=*}" = "$name" ] && value=${slot#*=}; done
  echo "$value"
}

# Writes a script file as the program saves it (CR LF). SLOTS is a blank-
# separated list of K<n>=<hex code> and L<n>=<x>,<y>, a later one replacing
# an earlier one; CODE the code lines, one an argument.
make_dxs() {  # file slots code...
  local file=$1 slots=$2 n value
  shift 2
  {
    printf 'Dorvaxil script\r\nversion: 1.0\r\n\r\nnotes: $0000\r\n\r\nkeys\r\n'
    for n in $(seq 1 40); do
      value=$(slot_value "K$n" $slots)
      [ -z "$value" ] || printf '%02d: $%s\r\n' "$n" "$value"
    done
    printf 'endkeys\r\n\r\nlocations\r\n'
    for n in $(seq 1 20); do
      value=$(slot_value "L$n" $slots)
      [ -z "$value" ] || printf '%02d: %s,%s\r\n' "$n" "$(dxs_coordinate "${value%,*}")" "$(dxs_coordinate "${value#*,}")"
    done
    printf 'endlocations\r\n\r\ncode: $%04X\r\n' "$#"
    for line in "$@"; do printf '%s\r\n' "$line"; done
  } >"$file"
}

# Runs dxplay with a bound on its time; its exit status in $status, its
# standard output and error in $work/out and $work/err.
run_dxplay() {  # args...
  status=0
  timeout -k 2 "${DX_TIMEOUT:-20}" "$DXPLAY" "$@" >"$work/out" 2>"$work/err" </dev/null || status=$?
}

expect_status() {  # expected what
  [ "$status" = "$1" ] || fail "$2: exit status $status, expected $1; stderr: $(cat "$work/err")"
}

expect_stderr() {  # text what: the text must be one whole line of stderr
  grep -qxF -- "$1" "$work/err" || fail "$2: stderr lacks '$1'; it was: $(cat "$work/err")"
}
