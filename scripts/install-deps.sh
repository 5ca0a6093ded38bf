#!/usr/bin/env bash
# Installs every Debian 12 package the build, the tests and the program need; quick when all are present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev libvulkan-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libpcre2-dev zlib1g-dev libminizip-dev libhunspell-dev hunspell-en-us
  libxcb1-dev libxcb-ewmh-dev libxcb-icccm4-dev libxcb-keysyms1-dev libxcb-xtest0-dev
  libxcb-record0-dev libxcb-xinput-dev libxcb-screensaver0-dev libxcb-randr0-dev libx11-dev libx11-xcb-dev
  xvfb jwm xdotool xclip x11-utils imagemagick dbus-daemon
  clang clang-14 libclang-rt-14-dev
  qt6-webengine-dev qt6-webchannel-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
