#!/usr/bin/env bash
# Builds both releases into out/:
#  - dorvaxil-<version>-win64.zip for Windows: the program, dxsim, the
#    manual, the example scripts and a read-me, cross-built with mingw-w64
#    (Release, static) in build/win-release;
#  - dorvaxil_<version>_<arch>.deb for Debian: dxplay and dxsim, their man
#    pages, the manual and the example scripts, from a native Release build
#    in build/linux-release.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=build/win-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target dorvaxil dxsim
mkdir -p out
(cd "$build" && cpack -G ZIP -B "$OLDPWD/out" >/dev/null)

native=build/linux-release
cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
# Naming dxplay makes the build fail where it could not be configured,
# instead of leaving it out of the package.
cmake --build "$native" -j "$(nproc)" --target dxplay deb_files
(cd "$native" && cpack -G DEB -B "$OLDPWD/out" >/dev/null)

rm -rf out/_CPack_Packages
ls out/dorvaxil-*-win64.zip out/dorvaxil_*.deb
