#!/usr/bin/env bash
# Installs, on a Debian machine, whatever the build and the tests need and is
# missing: compilers, GoogleTest, the mingw-w64 cross compiler, 64-bit Wine,
# Xvfb, the X11 development files dxplay builds against, the tools that make
# and check the Debian package, and the X clients and Xorg driver of the X11
# tests. Everything the project builds is 64-bit, so nothing here adds the
# i386 architecture: many kernels and containers cannot execute 32-bit
# programs.
# A machine that has everything already installs nothing and asks no mirror.
set -euo pipefail

packages=(
  build-essential cmake ninja-build libgtest-dev libgmock-dev clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick
  libx11-dev libxtst-dev libxrandr-dev libxinerama-dev
  # The Debian package: dpkg-shlibdeps finds its dependencies, file tells it
  # which files are programs; the man pages are rendered in its test.
  dpkg-dev file groff-base man-db
  # The X11 end-to-end tests: clients that watch and drive dxplay, a window
  # manager, Xorg's dummy driver for two monitors, and setxkbmap with the
  # layouts for the keyboard layout tests.
  xdotool xterm xinput x11-xserver-utils openbox xserver-xorg-core xserver-xorg-video-dummy
  x11-xkb-utils xkb-data
  # The applications the clicks are tried in (GTK3 and Qt5), and the
  # selection and clipboard read back from them.
  mousepad featherpad galculator xsel
)

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_if_needed apt-get update -q
  # Recommends would only drag in 32-bit Wine and desktop extras.
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
