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
  dx_find_wine
}

# The 64-bit loader, called by its own name: Debian's `wine` wrapper prefers
# the 32-bit loader whenever it is installed, and it fails on kernels that
# cannot execute 32-bit programs. Everything here is 64-bit.
dx_find_wine() {
  local dir
  for dir in /usr/lib/wine /usr/lib64/wine /opt/wine-stable/bin; do
    if [ -x "$dir/wine64" ]; then
      DX_WINE=$dir/wine64
      DX_WINESERVER=$dir/wineserver
      [ -x "$DX_WINESERVER" ] || DX_WINESERVER=wineserver
      export WINELOADER=$DX_WINE DX_WINE DX_WINESERVER
      return 0
    fi
  done
  DX_WINE=$(command -v wine64 || true)
  DX_WINESERVER=wineserver
  [ -n "$DX_WINE" ] || { echo "64-bit Wine (wine64) is not installed" >&2; return 1; }
  export WINELOADER=$DX_WINE DX_WINE DX_WINESERVER
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
