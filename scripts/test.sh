#!/usr/bin/env bash
# Installs what the project needs, proves the install list complete, builds the whole project under
# AddressSanitizer + UBSan and runs every test label, then a short run of every fuzz target, kill -9
# trials of real saves, and the Debian package's install test; ends with the time of each step.
set -euo pipefail
cd "$(dirname "$0")/.."

steps=()
start_all=$SECONDS
report() {
  local rc=$?
  echo
  echo "Time by step:"
  for s in "${steps[@]}"; do echo "  $s"; done
  echo "  total: $((SECONDS - start_all)) s"
  [ "$rc" -eq 0 ] || echo "test command FAILED (exit $rc)"
}
trap report EXIT
# step NAME COMMAND...: runs the command and keeps its time for the summary.
step() {
  local name=$1 t0=$SECONDS
  shift
  echo "==> $name"
  if "$@"; then
    steps+=("$name: $((SECONDS - t0)) s")
  else
    local rc=$?
    steps+=("$name: $((SECONDS - t0)) s, FAILED")
    return "$rc"
  fi
}

step "install" bash scripts/install-deps.sh
# Every build folder is configured first, so that the check sees what each of them uses.
configure() { for p in asan fuzz package; do cmake --preset "$p" >/dev/null; done; }
step "configure" configure
step "dependency check" /usr/bin/python3 scripts/check-deps.py build/asan build/fuzz build/package
step "build (asan)" cmake --build --preset asan -j "$(nproc)"
for label in unit widget desktop; do
  step "ctest $label" ctest --preset asan -j "$(nproc)" -L "^$label\$" "$@"
done
# Each fuzz target for 20 s (only the fuzz targets are built, with clang): keeps them building and honest.
step "fuzz (build and runs)" bash scripts/fuzz.sh 20
step "crash trials" bash scripts/crash-trials.sh 20 build/asan
# The package built in its own release folder (the two programs only), installed, started and removed.
step "package (build, install test)" bash scripts/install-test.sh
