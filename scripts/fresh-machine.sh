#!/usr/bin/env bash
# Tries the README's commands as a new user would, on a fresh Debian 12 root made with debootstrap:
# the committed repository is cloned inside and the commands run there (run by hand before a
# release; not part of the test command). Usage, as root:
#   scripts/fresh-machine.sh [configure|run|test|all] [--keep]
#     configure  install the packages, configure every build folder, run the dependency check (quick)
#     run        the start command, until its screenshot is written (copied to build/fresh-screenshot.png)
#     test       the test command
#     all        run, then test (the default)
# The root is made in /var/tmp and removed afterwards unless --keep is given.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=all keep=0
for a in "$@"; do
  case "$a" in
    configure|run|test|all) mode=$a ;;
    --keep) keep=1 ;;
    *) echo "usage: $0 [configure|run|test|all] [--keep]" >&2; exit 2 ;;
  esac
done
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine: needs root (debootstrap, chroot and mounts)" >&2; exit 1; }
command -v debootstrap >/dev/null || bash scripts/install-deps.sh

# The mirror this machine installs from, so the root gets the same packages.
mirror=$( (grep -rhoE '^(URIs:|deb) +[^ ]+' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null || true) |
  awk '{print $2}' | grep -E '/debian/?$' | head -n1 || true)
mirror=${mirror:-http://deb.debian.org/debian}

root=$(mktemp -d /var/tmp/vantrelo-fresh.XXXXXX)
mounts=()
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
  if [ "$keep" -eq 1 ]; then echo "fresh-machine: the root is kept in $root"; else rm -rf --one-file-system "$root"; fi
}
trap cleanup EXIT

times=()
timed() {
  local name=$1 t0=$SECONDS
  shift
  echo "==> $name"
  "$@"
  times+=("$name: $((SECONDS - t0)) s")
}

timed "debootstrap (minbase, bookworm)" debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 ||
  { tail -n 20 "$root.log"; exit 1; }
rm -f "$root.log"
# The sources a Debian 12 machine has: the release, its updates and security.
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/" && rm -f "$root/etc/apt/sources.list"
elif [ -f /etc/apt/sources.list ]; then
  cp /etc/apt/sources.list "$root/etc/apt/sources.list"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
for m in proc sys dev dev/pts; do
  mkdir -p "$root/$m"
  case "$m" in
    proc) mount -t proc proc "$root/proc" ;;
    sys) mount -t sysfs sys "$root/sys" ;;
    *) mount --bind "/$m" "$root/$m" ;;
  esac
  mounts+=("$root/$m")
done
mount -t tmpfs shm "$root/dev/shm" 2>/dev/null && mounts+=("$root/dev/shm") || true

# What a user clones: the committed tree, nothing of this checkout's build folders.
git clone -q --no-local "$PWD" "$root/root/vantrelo"
inside() { chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
  bash -c "cd /root/vantrelo && $1"; }

case "$mode" in
  configure)
    timed "install" inside "bash scripts/install-deps.sh"
    timed "configure and check" inside "for p in asan fuzz package release; do cmake --preset \$p >/dev/null; done &&
      /usr/bin/python3 scripts/check-deps.py build/asan build/fuzz build/package build/release"
    ;;
esac
if [ "$mode" = run ] || [ "$mode" = all ]; then
  # The start command keeps Vantrelo running; it is stopped once its screenshot is there.
  timed "start command (bash scripts/run.sh)" inside "
    bash scripts/run.sh > /root/run.log 2>&1 & pid=\$!
    for i in \$(seq 7200); do [ -s build/screenshot.png ] && break; kill -0 \$pid 2>/dev/null || break; sleep 1; done
    sleep 2; kill \$pid 2>/dev/null; pkill -f build/release/bin/vantrelo || true; pkill Xvfb || true
    tail -n 5 /root/run.log; [ -s build/screenshot.png ]"
  cp "$root/root/vantrelo/build/screenshot.png" build/fresh-screenshot.png 2>/dev/null &&
    echo "the screenshot: build/fresh-screenshot.png"
fi
if [ "$mode" = test ] || [ "$mode" = all ]; then
  timed "test command (bash scripts/test.sh)" inside "bash scripts/test.sh"
fi
echo "fresh-machine ($mode):"
for t in "${times[@]}"; do echo "  $t"; done
