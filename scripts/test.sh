#!/usr/bin/env bash
# Builds the whole project under AddressSanitizer + UBSan and runs every test label, then a short
# run of every fuzz target, a few kill -9 trials of real saves, and the Debian package's install test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$(nproc)"
ctest --preset asan -j "$(nproc)" "$@"
# Each fuzz target for 20 s (only the fuzz targets are built, with clang): keeps them building and honest.
bash scripts/fuzz.sh 20
bash scripts/crash-trials.sh 20 build/asan
# The package built in its own release folder (the two programs only), installed, started and removed.
bash scripts/install-test.sh
