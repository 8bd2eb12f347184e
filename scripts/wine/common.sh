# Shared settings of the Wine helpers; sourced, not run.
# Every helper takes the state folder as its first argument. It holds:
#   prefix/        the Wine prefix (kept between runs: making it costs ~15 s)
#   display        number of the private Xvfb display
#   xvfb.pid       its process id
#   *.log          output of Xvfb and wineserver
# shellcheck shell=bash

dx_state_init() {
  DX_STATE=${1:?state folder}
  mkdir -p "$DX_STATE"
  DX_STATE=$(cd "$DX_STATE" && pwd)
  export WINEPREFIX="$DX_STATE/prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
}

dx_display_alive() {
  [ -s "$DX_STATE/display" ] || return 1
  local n
  n=$(cat "$DX_STATE/display")
  [ -e "/tmp/.X11-unix/X$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1
}

dx_use_display() {
  DISPLAY=":$(cat "$DX_STATE/display")"
  export DISPLAY
}
