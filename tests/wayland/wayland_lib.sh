# Shared pieces of the wlroots end-to-end tests: a private headless sway
# with two outputs (1280x720 at 0,0 and 1024x768 at scale 2 beside it, so
# 512x384 logical at 1280,0), run as an unprivileged user with a runtime
# folder of its own; wev windows made fullscreen on each output, so that
# wev's surface coordinates are the output's logical ones; script files
# written from code lines (make_dxs of the X11 tests).
#
# Everything started here is stopped on exit, sway last.

here_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here_lib/../x11/x11_lib.sh"

if ! command -v sway >/dev/null || ! command -v wev >/dev/null; then
  echo "SKIP: the wlroots tests need sway and wev" >&2
  exit "$x11_skip"
fi

chmod 755 "$work"
# Root runs the compositor and its clients as nobody: sway refuses root.
as_user=()
[ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
runtime=$work/runtime
mkdir -m 700 "$runtime"
[ "$(id -u)" -ne 0 ] || chown 65534:65534 "$runtime" "$work"

# A client of the compositor, as the test's user, in its session.
in_session() {  # cmd...
  "${as_user[@]}" env -u DISPLAY HOME="$work" XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1 \
    SWAYSOCK="$swaysock" LANG=C "$@"
}

sway_ready() { [ -S "$runtime/wayland-1" ] && ls "$runtime"/sway-ipc.*.sock >/dev/null 2>&1; }

start_sway() {  # [extra config lines...]
  {
    echo 'output HEADLESS-1 mode 1280x720 position 0 0'
    echo 'output HEADLESS-2 mode 1024x768 position 1280 0 scale 2'
    echo 'workspace 1 output HEADLESS-1'
    echo 'workspace 2 output HEADLESS-2'
    echo 'for_window [app_id="wev"] fullscreen enable'
    echo 'default_border none'
    printf '%s\n' "$@"
  } >"$work/sway.conf"
  chmod 644 "$work/sway.conf"
  swaysock=
  start "$work/sway.log" "${as_user[@]}" env -i PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="$runtime" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=2 \
    sway -c "$work/sway.conf"
  sway_pid=$last_pid
  wait_for 20 sway_ready || fail "sway did not start: $(tail -5 "$work/sway.log")"
  swaysock=$(ls "$runtime"/sway-ipc.*.sock | head -1)
}

swaymsg_() { in_session swaymsg "$@" >/dev/null; }

# A fullscreen wev on OUTPUT logging to LOG (line-buffered); its pid in $last_pid.
start_wev() {  # output log
  swaymsg_ focus output "$1"
  : >"$2"
  chmod 666 "$2"
  start "$2.err" "${as_user[@]}" env HOME="$work" XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1 \
    sh -c 'exec stdbuf -oL wev >"$1"' wev "$2"
  wait_for 10 grep -q 'configure: width: [1-9]' "$2" || fail "wev on $1 did not map: $(cat "$2.err")"
}

# wev's log as one line per input event, in order, with the surface
# coordinates as whole numbers:
#   motion X,Y | button N 1|0 | key KEYSYM 1|0
# (the pointer entering a surface counts as a motion to where it entered).
# A seat that gains its devices one by one makes wev bind the pointer
# twice and log each pointer event twice: repeats in a row are dropped.
wev_events() {  # log
  awk '
    / wl_pointer\] (motion|enter):/ { match($0, /x, y: [-0-9.]+, [-0-9.]+/); split(substr($0, RSTART + 6, RLENGTH - 6), p, ", ");
                              printf "motion %d,%d\n", p[1], p[2]; next }
    / wl_pointer\] button:/ { match($0, /button: [0-9]+/); b = substr($0, RSTART + 8, RLENGTH - 8);
                              match($0, /state: [01]/); print "button", b, substr($0, RSTART + 7, 1); next }
    / wl_keyboard\] key:/   { match($0, /state: [01]/); state = substr($0, RSTART + 7, 1); want = 1; next }
    want && /sym:/          { print "key", $2, state; want = 0 }' "$1" | uniq
}

events_after() {  # log line
  tail -n "+$(( $2 + 1 ))" "$1" >"$work/tail.log"
  wev_events "$work/tail.log"
}

# dxplay where the test's user may run it, with a bound on its time; its
# exit status in $status, its standard output and error in $work/out and
# $work/err.
run_player() {  # args...
  status=0
  in_session timeout -k 2 "${DX_TIMEOUT:-20}" "$(unprivileged_dxplay)" "$@" >"$work/out" 2>"$work/err" </dev/null ||
    status=$?
}

# Starts dxplay in the background; its pid in $player.
start_player() {  # args...
  start "$work/player.out" "${as_user[@]}" env -u DISPLAY --default-signal=INT,TERM,HUP,QUIT,USR1 HOME="$work" \
    XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1 LANG=C "$(unprivileged_dxplay)" "$@"
  player=$last_pid
}

# Writes a script where the test's user can read it.
make_script() {  # file slots code...
  make_dxs "$@"
  chmod 644 "$1"
}
