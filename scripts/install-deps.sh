#!/usr/bin/env bash
# Installs every Debian 12 package the build, the tests, the package and the program need; quick when all are present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  zlib1g-dev libminizip-dev libhunspell-dev hunspell-en-us libpcre2-dev
  libxcb1-dev libxcb-ewmh-dev libxcb-icccm4-dev libxcb-keysyms1-dev libxcb-xtest0-dev
  libxcb-record0-dev libxcb-xinput-dev libxcb-screensaver0-dev libxcb-randr0-dev
  xvfb jwm xdotool xclip x11-utils imagemagick dbus-daemon
  clang clang-14 libclang-rt-14-dev
  # The program's icons are SVG; the manual pages, the desktop files and the Debian package.
  libqt6svg6 hicolor-icon-theme scdoc man-db desktop-file-utils appstream dpkg-dev file lintian
  qt6-webengine-dev qt6-webchannel-dev
  # The dependency check of the test command (scripts/check-deps.py); the fresh-machine trial (scripts/fresh-machine.sh).
  python3 debootstrap
  # The desktop-entry corpus is compared with GLib's own reading of it (tests/index/glib_compare.py).
  python3-gi gir1.2-glib-2.0
)

# --list prints the list, one package a line, for the dependency check.
if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${PACKAGES[@]}"
  exit 0
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "These packages are missing: ${missing[*]}" >&2
    echo "You are not root and sudo is not installed; run this as root, then start again:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
