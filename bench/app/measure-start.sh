#!/usr/bin/env bash
# Measures the time from process start to the input window being shown, with a 50,000-entry index
# cache, and the resident memory after start. Usage: bench/app/measure-start.sh BUILD_BIN_DIR [RUNS]
set -euo pipefail
bin=$(cd "$1" && pwd)
runs=${2:-5}
work=$(mktemp -d)
trap 'kill ${wm:-} ${xvfb:-} ${bus:-} 2>/dev/null || true; rm -rf "$work"' EXIT

# A tree of 50,000 files indexed through a scan folder, so the cache holds 50,000 entries.
mkdir -p "$work/tree"
python3 - "$work/tree" <<'PY'
import os, sys
root = sys.argv[1]
for d in range(500):
    sub = os.path.join(root, f"project{d:03d}")
    os.makedirs(sub, exist_ok=True)
    for f in range(100):
        open(os.path.join(sub, f"document {d:03d}-{f:02d}.txt"), "w").close()
PY
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" HOME="$work"
data="$XDG_CONFIG_HOME/Vantrelo"
"$bin/vantrelo-cli" --data "$data" settings set scandirs "\"$work/tree\",\"*\",\"5\"|" >/dev/null
"$bin/vantrelo-cli" --data "$data" settings set autoindex 0 >/dev/null
"$bin/vantrelo-cli" --data "$data" index scan
echo "cache lines: $(wc -l < "$data/scancache.dat")"

. "$(dirname "$0")/xserver.sh"
start_x

for i in $(seq "$runs"); do
  start=$(date +%s%N)
  "$bin/vantrelo" >/dev/null 2>&1 & app=$!
  until xdotool search --onlyvisible --name '^Vantrelo$' >/dev/null 2>&1; do sleep 0.005; done
  shown=$(date +%s%N)
  sleep 3
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$app/status")
  echo "run $i: shown after $(( (shown - start) / 1000000 )) ms, resident $(( rss / 1024 )) MB"
  kill "$app"; wait "$app" 2>/dev/null || true
done
