#!/usr/bin/env bash
# Builds the Debian package in build/package (a hardened release build of the two programs only,
# no tests or benchmarks) and checks it with lintian; prints its path, size and the lintian result.
# Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset package >/dev/null
nice -n 10 cmake --build --preset package -j "$(nproc)"
rm -f build/package/package/vantrelo_*.deb
(cd build/package && cpack -G DEB >/dev/null)
deb=$(ls "$PWD"/build/package/package/vantrelo_*.deb)
echo "package: $deb, $(stat -c %s "$deb") bytes; installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "depends: $(dpkg-deb -f "$deb" Depends)"
# Errors and warnings fail the package; what lintian only mentions (info) is shown.
lintian --fail-on error,warning --display-info "$deb"
echo "lintian: no errors or warnings"
