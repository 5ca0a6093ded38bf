#!/usr/bin/env bash
# Builds the optimised program and starts it; arguments go to vantrelo-cli instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target vantrelo vantrelo-cli
if [ $# -gt 0 ]; then
  exec build/release/bin/vantrelo-cli "$@"
fi
if [ -n "${DISPLAY:-}" ]; then
  exec build/release/bin/vantrelo
fi
# No desktop: a private X server with a window manager, the launcher on it, and a screenshot
# (in the build folder: the checkout stays as it was).
shot="$PWD/build/screenshot.png"
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb <&3
display=""
for _ in $(seq 50); do read -r -t 0.2 display <&3 && break; done
[ -n "$display" ] || { echo "Xvfb did not start" >&2; kill "$xvfb" 2>/dev/null; exit 1; }
export DISPLAY=":$display"
jwm >/dev/null 2>&1 & wm=$!
trap 'kill ${app:-} "$wm" "$xvfb" 2>/dev/null || true' EXIT
sleep 1
build/release/bin/vantrelo & app=$!
for _ in $(seq 50); do xdotool search --onlyvisible --name '^Vantrelo$' >/dev/null 2>&1 && break; sleep 0.2; done
xdotool type --delay 80 "te" 2>/dev/null || true
sleep 1.5
import -window root "$shot"
echo "Vantrelo runs on display $DISPLAY (no desktop here); a screenshot is in $shot"
echo "Press Ctrl+C to stop it."
wait "$app"
