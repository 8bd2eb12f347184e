#!/usr/bin/env bash
# Installs what is missing, builds the portable core natively (with
# AddressSanitizer and UndefinedBehaviorSanitizer) and the Windows program
# with mingw-w64, then runs the native unit tests and the end-to-end tests
# under Wine in a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
echo "== native build and unit tests"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDX_SANITIZE=ON -DDX_WERROR=ON
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

echo "== Windows build and end-to-end tests under Wine"
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DDX_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake"
cmake --build build/windows -j "$jobs"
# Under Wine a change of focus or foreground completes asynchronously and, now
# and then, not at all (a lost click, a window that does not come to the
# front): a scenario that fails is run once more, so that only a fault that
# shows twice fails the run. Still seen without it: hotkey_stops_loop, once in
# four full runs under load, where the desktop took the foreground after the
# stop hot key brought the tool back during a tight loop.
ctest --test-dir build/windows --output-on-failure --repeat until-pass:2
