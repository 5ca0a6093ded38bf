#!/usr/bin/env bash
# Kills a real saver of vantrelo.ini with SIGKILL at random points of its saves, N times, and
# checks each time that the file is whole (the old or the new one, never damaged) and that the
# next start leaves no temporary file. Usage: scripts/crash-trials.sh [N] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
N="${1:-200}"
BUILD="${2:-build/dev}"
[ -f "$BUILD/CMakeCache.txt" ] || cmake --preset dev >/dev/null
nice -n 10 cmake --build "$BUILD" --target vantrelo-savetrial >/dev/null
SAVER="$BUILD/bin/vantrelo-savetrial"

data="$(mktemp -d)"
trap 'rm -rf "$data"' EXIT
"$SAVER" "$data" fill
size=$(stat -c %s "$data/vantrelo.ini")
mean_us=$("$SAVER" "$data" measure 20)
# Kill points are spread uniformly over three whole save cycles after the first save started.
window_us=$((mean_us * 3 + 1))
echo "vantrelo.ini: $size bytes; one save takes $mean_us us; kill points spread over $window_us us"

damaged=0; leftovers=0; killed_with_tmp=0
for ((i = 1; i <= N; i++)); do
  out="$data/.out"
  : >"$out"
  "$SAVER" "$data" loop >"$out" &
  pid=$!
  until grep -q ready "$out" 2>/dev/null; do sleep 0.005; done
  delay_us=$(( (RANDOM * 32768 + RANDOM) % window_us ))
  sleep "$(printf '0.%06d' "$delay_us")"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if ls "$data"/*.tmp >/dev/null 2>&1; then killed_with_tmp=$((killed_with_tmp + 1)); fi
  # The next start reads the file (it must be whole) and sweeps what the killed save left.
  if ! "$SAVER" "$data" check; then
    damaged=$((damaged + 1))
    echo "trial $i: vantrelo.ini is damaged"
  fi
  if ls "$data"/*.tmp >/dev/null 2>&1; then
    leftovers=$((leftovers + 1))
    echo "trial $i: a temporary file outlived the next start"
  fi
done
echo "crash trials: $N kills, $killed_with_tmp mid-save (temporary file present), $damaged damaged, $leftovers left temporary files after the next start"
[ "$damaged" -eq 0 ] && [ "$leftovers" -eq 0 ]
