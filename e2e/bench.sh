#!/usr/bin/env bash
# Run speed of the real window under Wine, in a private Xvfb: lines per
# second with the code page and with the main page shown, the fixed cost of a
# run, the pixel-poll reaction, then the stop-key latency. Not a test: it
# prints figures.
# Usage: e2e/bench.sh [LINES...|poll]   (default 10 1000 10000; poll: the
# pixel-poll reaction alone)
# DX_STOP_RUNS sets the number of stop-key runs per script (default 20, 0:
# none).
# Uses the Windows build in $DX_WIN_BUILD (default build/windows).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DX_WIN_BUILD:-$root/build/windows}
state=$build/e2e-wine
if [ ! -x "$build/ui/dorvaxil.exe" ] || [ ! -x "$build/e2e/dxdriver.exe" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$build" --target dorvaxil dxdriver
fi
"$root/scripts/wine/setup.sh" "$state" >/dev/null
trap '"$root/scripts/wine/cleanup.sh" "$state"' EXIT
cd "$build"
"$root/scripts/wine/run.sh" "$state" e2e/dxdriver.exe bench ui/dorvaxil.exe "$@" 2>&1 |
  grep --line-buffered -v 'Read access denied'
if [ "${DX_STOP_RUNS:-20}" -gt 0 ]; then
  "$root/scripts/wine/run.sh" "$state" e2e/dxdriver.exe bench-stop ui/dorvaxil.exe "${DX_STOP_RUNS:-20}" 2>&1 |
    grep --line-buffered -v 'Read access denied'
fi
