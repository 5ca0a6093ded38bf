#!/usr/bin/env bash
# Kills a real saver of vantrelo.ini with SIGKILL at random points of its saves, N times or more, and
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

# Every other kill is aimed: the saver's folder is watched, and the kill falls at a random moment
# of a save's temporary file's life (a kill at a random time of the cycle mostly lands between
# saves). Trials go on past N until half of N kills landed inside a save, up to 4 N.
want=$(( (N + 1) / 2 ))
damaged=0; leftovers=0; killed_with_tmp=0
i=0
while (( i < N || (killed_with_tmp < want && i < 4 * N) )); do
  i=$((i + 1))
  out="$data/.out"
  : >"$out"
  "$SAVER" "$data" loop >"$out" &
  pid=$!
  if (( i % 2 == 1 )); then
    timeout 60 "$SAVER" "$data" aim "$pid" || kill -9 "$pid" 2>/dev/null || true
  else
    until grep -q ready "$out" 2>/dev/null; do sleep 0.005; done
    delay_us=$(( (RANDOM * 32768 + RANDOM) % window_us ))
    sleep "$(printf '0.%06d' "$delay_us")"
    kill -9 "$pid" 2>/dev/null || true
  fi
  { wait "$pid"; } 2>/dev/null || true
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
# The shell's own notice of each killed saver is noise here.
done 2> >(grep -v ' Killed ' >&2)
echo "crash trials: $i kills, $killed_with_tmp inside a save (temporary file present), $damaged damaged, $leftovers left temporary files after the next start"
if (( killed_with_tmp < want )); then
  echo "crash trials: only $killed_with_tmp of the kills landed inside a save (wanted $want): the trials showed too little" >&2
  exit 1
fi
[ "$damaged" -eq 0 ] && [ "$leftovers" -eq 0 ]
