#!/usr/bin/env bash
# Shows Dorvaxil at work.
#   scripts/demo.sh            no display needed: plays the bundled demo
#                              script against a bundled target window in a
#                              private Xvfb and saves a screenshot
#   scripts/demo.sh --display  starts dorvaxil.exe under Wine on $DISPLAY
# Builds the Windows program first when it is missing (build/windows).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DX_WIN_BUILD:-$root/build/windows}
state=${DX_WINE_STATE:-$build/e2e-wine}
out=${DX_DEMO_OUT:-$root/out}

exe=$build/ui/dorvaxil.exe
driver=$build/e2e/dxdriver.exe
if [ ! -x "$exe" ] || [ ! -x "$driver" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$build" --target dorvaxil dxdriver
fi

if [ "${1:-}" = "--display" ]; then
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "no reachable display (\$DISPLAY=${DISPLAY:-unset}); run without --display for the demo" >&2
    exit 1
  fi
  # shellcheck source=wine/common.sh
  source "$root/scripts/wine/common.sh"
  dx_state_init "$state"
  if [ ! -e "$WINEPREFIX/.dx-ready" ]; then
    # Make the prefix on a private display, then come back to the user's.
    user_display=$DISPLAY
    "$root/scripts/wine/setup.sh" "$state" >/dev/null
    "$root/scripts/wine/cleanup.sh" "$state"
    export DISPLAY=$user_display
  fi
  # The help button opens dorvaxil.txt from the current folder.
  cd "$(dirname "$exe")"
  exec "$DX_WINE" "$exe"
fi

mkdir -p "$out"
ready=$out/.demo-ready
rm -f "$ready"
"$root/scripts/wine/setup.sh" "$state" >/dev/null
trap '"$root/scripts/wine/cleanup.sh" "$state"' EXIT
# shellcheck source=wine/common.sh
source "$root/scripts/wine/common.sh"
dx_state_init "$state"
dx_use_display
"$DX_WINE" "$driver" demo "$exe" "$root/e2e/demo/star.txt" "$ready" &
player=$!
for _ in $(seq 1200); do
  [ -e "$ready" ] && break
  kill -0 "$player" 2>/dev/null || break
  sleep 0.1
done
if [ ! -e "$ready" ]; then
  echo "the demo did not finish" >&2
  wait "$player" || true
  exit 1
fi
import -display "$DISPLAY" -window root "$out/demo.png"
rm -f "$ready"
wait "$player" || true
echo "screenshot: $out/demo.png"
