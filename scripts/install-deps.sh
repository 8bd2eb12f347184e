#!/usr/bin/env bash
# Installs, on a Debian machine, whatever the build and the tests need and is
# missing: compilers, GoogleTest, the mingw-w64 cross compiler, Wine, Xvfb.
set -euo pipefail

packages=(
  build-essential cmake ninja-build libgtest-dev libgmock-dev clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 xvfb x11-utils imagemagick fonts-wine
)

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Wine's 32-bit half comes along as a recommendation; it needs i386.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_if_needed dpkg --add-architecture i386
  missing+=(wine)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_if_needed apt-get update -q
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi
