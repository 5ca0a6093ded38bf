#!/usr/bin/env bash
# Measures the time from the hotkey's key press to the input window being mapped, as the program
# itself sees it on the X server's clock (VANTRELO_SHOW_LATENCY), over RUNS presses, and prints
# p50, p95 and the largest. Usage: bench/app/measure-hotkey.sh BUILD_BIN_DIR [RUNS]
set -euo pipefail
[ -n "${TRACE:-}" ] && set -x
bin=$(cd "$1" && pwd)
runs=${2:-50}
work=$(mktemp -d)
trap 'kill ${app:-} ${wm:-} ${xvfb:-} ${bus:-} 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" XDG_RUNTIME_DIR="$work/run" HOME="$work"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
data="$XDG_CONFIG_HOME/Vantrelo"
# No first-run wizard; the window hides when it loses the keyboard, as most users keep it.
"$bin/vantrelo-cli" --data "$data" settings set hide 1 >/dev/null

. "$(dirname "$0")/xserver.sh"
start_x

log="$work/latency.log"
VANTRELO_SHOW_LATENCY=1 QT_QPA_PLATFORM=xcb "$bin/vantrelo" -s 2>"$log" & app=$!
count() { grep -c 'shown .* ms after the hotkey' "$log" || true; }
visible() { xdotool search --onlyvisible --name '^Vantrelo$' >/dev/null 2>&1; }
# The hotkey is grabbed once the start has completed.
for _ in $(seq 100); do
  xdotool key super+shift+z; sleep 0.2
  visible && break
done
xdotool key Escape; sleep 0.3
start=$(count)
for i in $(seq "$runs"); do
  xdotool key super+shift+z
  until [ "$(count)" -ge $((start + i)) ]; do sleep 0.01; done
  xdotool key Escape
  while visible; do sleep 0.01; done
  sleep 0.3 # a show within 230 ms of the last hide is taken as a bounce
done
grep -o 'shown [0-9]* ms' "$log" | tail -n "$runs" | awk '{print $2}' | sort -n | awk -v load="$(cut -d' ' -f1 /proc/loadavg)" '
  { v[NR] = $1 }
  END {
    p50 = v[int((NR + 1) * 0.50)]; p95 = v[int((NR * 0.95) + 0.5)]
    printf "hotkey to window mapped, %d presses: p50 %d ms, p95 %d ms, max %d ms (load %s)\n", NR, p50, p95, v[NR], load
  }'
