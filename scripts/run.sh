#!/usr/bin/env bash
# Builds the optimised program and starts it; arguments are passed on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target vantrelo-cli
if [ $# -eq 0 ]; then
  echo "Vantrelo's window is not built yet; vantrelo-cli is what a user can run today:" >&2
  exec build/release/bin/vantrelo-cli --help
fi
exec build/release/bin/vantrelo-cli "$@"
