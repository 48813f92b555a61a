#!/usr/bin/env bash
# Installs the Debian packages Quorvane needs, and nothing when all are present: to build, run and package it,
# and with "test" also what the tests and benchmarks drive it with (a private X server, a sound server, the
# desktop's validators, lintian). Installing needs root: as root it runs apt-get, otherwise sudo; without a sudo
# that lets it, it prints the one command that does the installing and fails, so that nothing goes on to build
# against what is not there.
# Usage: install-deps.sh [test]
set -euo pipefail

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
packages=(
  build-essential cmake ninja-build pkg-config file
  qt6-base-dev qt6-base-private-dev libpulse-dev libqt6opengl6-dev libxkbcommon-dev qt6-qpa-plugins qt6-wayland
  libxss-dev libxtst-dev libwayland-dev libwayland-bin wayland-protocols
  fonts-liberation
)
case "${1:-}" in
  "") ;;
  test)
    packages+=(
      xvfb xdotool x11-utils imagemagick python3 python3-pil python3-numpy python3-xlib sox jq
      pulseaudio-utils dbus-daemon dbus-bin python3-dbus python3-gi
      sway swayidle wayvnc
      desktop-file-utils appstream lintian
    )
    # The tests run a private pulseaudio. On a desktop whose sound server is pipewire-pulse, installing pulseaudio
    # would take that one's place, so there the tests that need it skip instead.
    installed pipewire-pulse || packages+=(pulseaudio) ;;
  *) echo "usage: $0 [test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# sudo may work without a password, or ask for one when someone is at the terminal to type it.
sudo_works() {
  command -v sudo >/dev/null || return 1
  sudo -n true 2>/dev/null && return 0
  [ -t 0 ] && sudo -v
}
# sudo resets the environment, so the setting that keeps debconf from asking questions goes through env.
as_root=(env DEBIAN_FRONTEND=noninteractive)
if [ "$(id -u)" -ne 0 ]; then
  if ! sudo_works; then
    cat >&2 <<MESSAGE
Quorvane needs Debian packages that are not installed, and installing them needs root.
Run this as yourself (it asks for root's password), then run make again:

  su -c 'apt-get install --no-install-recommends ${missing[*]}'

MESSAGE
    exit 1
  fi
  as_root=(sudo "${as_root[@]}")
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
