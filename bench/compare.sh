#!/usr/bin/env bash
# Speed and memory side by side with the tools users would pick instead, on seeded synthetic names.
# Usage: bench/compare.sh BUILD_BIN_DIR [COUNT]   (a release build: cmake --preset release)
# Builds nothing; installs fzf, fzy, rofi and hyperfine from Debian when they are missing.
set -euo pipefail
bin=$(cd "${1:?usage: bench/compare.sh BUILD_BIN_DIR [COUNT]}" && pwd)
count=${2:-100000}
here=$(cd "$(dirname "$0")" && pwd)

need=()
for t in fzf fzy rofi hyperfine Xvfb jwm xdotool; do command -v "$t" >/dev/null || need+=("$t"); done
if [ ${#need[@]} -gt 0 ]; then
  pkgs=$(printf '%s\n' "${need[@]}" | sed 's/^Xvfb$/xvfb/' | tr '\n' ' ')
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $pkgs >/dev/null
fi

work=$(mktemp -d)
trap 'kill ${wm:-} ${xvfb:-} ${bus:-} 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" XDG_RUNTIME_DIR="$work/runtime" HOME="$work"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
data="$XDG_CONFIG_HOME/Vantrelo"

echo "Generating $count seeded names as files..." >&2
python3 "$here/gen_tree.py" "$work/tree" "$count"
(cd "$work/tree" && find . -type f | sed 's|^\./||') > "$work/names.txt"
"$bin/vantrelo-cli" --data "$data" settings set scandirs "\"$work/tree\",\"*\",\"9\"|" >/dev/null
"$bin/vantrelo-cli" --data "$data" settings set autoindex 0 >/dev/null
"$bin/vantrelo-cli" --data "$data" index scan >/dev/null

# Median seconds of a command, warm, over hyperfine's runs.
median() {
  rm -f "$work/h.json"
  hyperfine --warmup 2 --runs "${RUNS:-15}" --export-json "$work/h.json" "$1" >/dev/null 2>&1 || { echo "-"; return; }
  python3 -c 'import json,sys; print("%.1f" % (json.load(open(sys.argv[1]))["results"][0]["median"]*1000))' "$work/h.json"
}
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
ratio() { python3 -c 'import sys; a,b=float(sys.argv[1]),float(sys.argv[2]); print("%.2fx" % (a/b) if b else "-")' "$1" "$2"; }

suggest=$(median "$bin/vantrelo-cli --data $data suggest visu")
fzf=$(median "fzf --filter visu < $work/names.txt")
fzy=$(median "fzy -e visu < $work/names.txt")
scan=$(median "$bin/vantrelo-cli --data $data index scan")
scanpeak=$(peak_kb "$bin/vantrelo-cli" --data "$data" index scan)
find=$(median "find $work/tree -type f")

# Start to window shown, and resident memory three seconds later, under a private X server.
. "$here/app/xserver.sh"
start_x
shown_ms() { # command..., window name pattern in $pattern; prints "ms rssMB"
  local start shown pid rss
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 & pid=$!
  until xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; do sleep 0.002; done
  shown=$(date +%s%N)
  sleep 3
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "$(( (shown - start) / 1000000 )) $(( rss / 1024 ))"
}
starts=(); rsss=(); rofis=(); rofirss=()
for i in 1 2 3 4 5; do
  pattern='^Vantrelo$'; read -r ms mb < <(shown_ms "$bin/vantrelo"); starts+=("$ms"); rsss+=("$mb")
  pattern='^rofi'; read -r ms mb < <(shown_ms rofi -show run); rofis+=("$ms"); rofirss+=("$mb")
done
med() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
start=$(med "${starts[@]}"); rss=$(med "${rsss[@]}"); rofi=$(med "${rofis[@]}"); rofim=$(med "${rofirss[@]}")

# Resident memory once a word was typed into the input window letter by letter (the index pages
# that typing reads come in then).
typed_rss() { # word; prints MB
  local pid w rss
  "$bin/vantrelo" >/dev/null 2>&1 & pid=$!
  w=""
  until [ -n "$w" ]; do w=$(xdotool search --onlyvisible --name '^Vantrelo$' 2>/dev/null | head -1); sleep 0.01; done
  sleep 2
  xdotool windowactivate --sync "$w" >/dev/null 2>&1 || true
  xdotool type --delay 150 "$1"
  sleep 2
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo $(( rss / 1024 ))
}
typedrss=$(typed_rss visual)

keys="(bench_suggest_list not in $bin)"
if [ -x "$bin/bench_suggest_list" ]; then
  keys=$("$bin/bench_suggest_list" --benchmark_format=json 2>/dev/null | python3 -c '
import json, sys
rows = json.load(sys.stdin)["benchmarks"]
pick = lambda f: [r for r in rows if f(r["name"])]
def p(rs, key): return "%.2f" % (max(r[key] for r in rs) / 1000) if rs else "-"
plain = pick(lambda n: n.startswith("BM_KeystrokeToList"))
comp = pick(lambda n: n.startswith("BM_KeystrokeWithCompletion"))
typed = pick(lambda n: n.startswith("BM_TypeWord/"))
typedc = pick(lambda n: n.startswith("BM_TypeWordWithCompletion/"))
print("pasted: list p50 %s / p95 %s ms, with completion p50 %s / p95 %s ms; typed letter by letter: list p50 %s / p95 %s ms, with completion p50 %s / p95 %s ms" % (
    p(plain, "p50_us"), p(plain, "p95_us"), p(comp, "p50_us"), p(comp, "p95_us"),
    p(typed, "p50_us"), p(typed, "p95_us"), p(typedc, "p50_us"), p(typedc, "p95_us")))')
fi

cat <<TABLE
$count names, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)
| measure | vantrelo | peer | ratio |
|---|---|---|---|
| suggest visu, whole process | $suggest ms | fzf --filter $fzf ms; fzy -e $fzy ms | $(ratio "$suggest" "$fzf") fzf, $(ratio "$suggest" "$fzy") fzy |
| start to window shown (Xvfb + jwm) | $start ms | rofi -show run $rofi ms | $(ratio "$start" "$rofi") |
| resident memory 3 s after start | $rss MB | rofi $rofim MB | - |
| resident memory after typing "visual" | $typedrss MB | - | - |
| index scan, whole process | $scan ms, peak $(( scanpeak / 1024 )) MB | find -type f $find ms | $(ratio "$scan" "$find") |
| keystroke to list (benchmark, worst case over inputs) | $keys | - | - |
TABLE
