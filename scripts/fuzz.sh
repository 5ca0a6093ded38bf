#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan; only those targets) and runs each for
# SECONDS (default 20) on a copy of its seed corpus; prints executions and time per target.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (TARGET without the "fuzz_" prefix)
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-20}"
shift || true
ALL=(sectionfile calculator desktopentry indexcache skinfile skinpackage substitution instancemessage bridgerequest cliphistory typeplan regexrules)
TARGETS=("$@")
[ ${#TARGETS[@]} -eq 0 ] && TARGETS=("${ALL[@]}")

cmake --preset fuzz >/dev/null
nice -n 10 cmake --build build/fuzz --target "${TARGETS[@]/#/fuzz_}"

status=0
work="build/fuzz/runs"
mkdir -p "$work"
for t in "${TARGETS[@]}"; do
  corpus="$work/$t-corpus"
  mkdir -p "$corpus"
  cp -n fuzz/corpus/"$t"/* "$corpus"/ 2>/dev/null || true
  log="$work/$t.log"
  # Findings land in build/fuzz/runs as crash-*, leak-*, timeout-* files.
  if ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
     nice -n 10 "build/fuzz/fuzz/fuzz_$t" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$work/$t-" -print_final_stats=1 "$corpus" >"$log" 2>&1; then
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz_$t: ${runs:-?} executions in ${SECONDS_EACH} s, no crash"
  else
    echo "fuzz_$t: FAILED (see $log)"
    tail -n 30 "$log"
    status=1
  fi
done
exit $status
