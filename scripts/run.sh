#!/usr/bin/env bash
# Installs what is missing, builds Dorvaxil and starts it:
#  - builds dxplay, the player on the Linux desktop, and plays the bundled
#    example script through the simulator dxsim;
#  - builds the Windows program and starts it under Wine on your display,
#    or, with no display, plays a short demonstration in a private Xvfb and
#    prints the path of its screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release -j "$jobs" --target dxsim dxplay
echo "== dxsim run examples/typical.dxs"
build/release/tools/dxsim/dxsim run examples/typical.dxs

cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows -j "$jobs"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "== starting dorvaxil.exe on $DISPLAY"
  exec bash scripts/demo.sh --display
fi
echo "== no display: demonstration in a private Xvfb"
exec bash scripts/demo.sh
