#!/usr/bin/env bash
# Builds the whole project under AddressSanitizer + UBSan and runs every test label.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$(nproc)"
ctest --preset asan -j "$(nproc)" "$@"
