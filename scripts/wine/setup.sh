#!/usr/bin/env bash
# Starts a private Xvfb on a free display and makes the Wine prefix if it is
# missing, then keeps a wineserver running so that each program starts warm.
# Usage: setup.sh STATE_DIR        (idempotent; safe to call from every test)
# With DX_WINE_DPI set (say 144), the prefix is made at that system DPI.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=common.sh
source "$here/common.sh"
dx_state_init "$1"

# Every long-lived child below gets `9>&-`: one that kept the lock's file
# descriptor would hold the lock for as long as it lives.
exec 9>"$DX_STATE/lock"
flock 9

start_xvfb() {
  rm -f "$DX_STATE/display"
  # -displayfd lets Xvfb pick a free display itself: no race with other runs.
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$DX_STATE/display" </dev/null >"$DX_STATE/xvfb.log" 2>&1 9>&- &
  echo $! >"$DX_STATE/xvfb.pid"
  for _ in $(seq 100); do
    dx_display_alive && return 0
    sleep 0.1
  done
  echo "Xvfb did not start; see $DX_STATE/xvfb.log" >&2
  return 1
}

# Wine finds none of its own faces (Marlett for the caption buttons, MS Sans
# Serif, Tahoma) where Debian keeps them; in the prefix's Fonts folder it does.
wine_fonts=/usr/share/wine/fonts
install_fonts() {
  [ -d "$wine_fonts" ] || { echo "fonts-wine is missing: $wine_fonts" >&2; return 1; }
  cp "$wine_fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/"
}

# A prefix made before the fonts were copied, or one whose Fonts folder lost
# some, gets them too.
fonts_missing() {
  local f
  for f in "$wine_fonts"/*; do
    [ -e "$WINEPREFIX/drive_c/windows/Fonts/${f##*/}" ] || return 0
  done
  return 1
}

make_prefix() {
  echo "making Wine prefix in $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  "$DX_WINE" wineboot -i </dev/null >"$DX_STATE/wineboot.log" 2>&1 9>&-
  "$DX_WINESERVER" -w
  install_fonts
  # Without a window manager, managed windows stall 2 s on every hide/destroy.
  "$DX_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$DX_STATE/wineboot.log" 2>&1 9>&-
  # A crash must end the process, not wait on a dialog nobody will close.
  "$DX_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$DX_STATE/wineboot.log" 2>&1 9>&-
  if [ -n "${DX_WINE_DPI:-}" ]; then
    "$DX_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DX_WINE_DPI" /f \
      >>"$DX_STATE/wineboot.log" 2>&1 9>&-
  fi
  "$DX_WINESERVER" -w
  touch "$WINEPREFIX/.dx-ready"
}

dx_display_alive || start_xvfb
dx_use_display
if [ -e "$WINEPREFIX/.dx-ready" ]; then
  if fonts_missing; then install_fonts; fi
else
  make_prefix
fi
# A persistent server keeps later starts warm; its output must not hold the
# caller's pipes open (CTest waits for them). A second -p exits at once.
setsid "$DX_WINESERVER" -p </dev/null >"$DX_STATE/wineserver.log" 2>&1 9>&- || true
# The first program of a session also starts the prefix's services
# (services.exe, winedevice.exe), which live on and inherit its output: start
# them here, detached, or the first test's pipes stay open until it times out.
setsid "$DX_WINE" cmd /c exit </dev/null >>"$DX_STATE/wineserver.log" 2>&1 9>&- || true
echo "display $DISPLAY, prefix $WINEPREFIX"
