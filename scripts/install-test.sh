#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh), installs it, starts the installed vantrelo on a
# private X server with a window manager, checks its window, icon, manual pages and desktop files,
# and removes the package again. As root, and with no vantrelo package on the machine, it installs
# with apt on this machine; otherwise (or with VANTRELO_SCRATCH_ROOT=1) it unpacks the package into
# a scratch root. Usage: scripts/install-test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/package.sh
deb=$(ls "$PWD"/build/package/package/vantrelo_*.deb)

scratch=$(mktemp -d)
root=""
installed=0
xvfb="" wm="" app=""
cleanup() {
  kill $app $wm $xvfb 2>/dev/null || true
  if [ "$installed" -eq 1 ]; then
    apt-get remove --purge -y -qq vantrelo >/dev/null
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "install test: $*" >&2; exit 1; }

if [ "${VANTRELO_SCRATCH_ROOT:-0}" != 1 ] && [ "$(id -u)" -eq 0 ] && ! dpkg-query -W -f='${Status}' vantrelo 2>/dev/null | grep -q "install ok installed"; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
  installed=1
  echo "installed $(basename "$deb") on this machine"
  man -w vantrelo >/dev/null || fail "man vantrelo finds no page"
  man -w vantrelo-cli >/dev/null || fail "man vantrelo-cli finds no page"
else
  dpkg-deb -x "$deb" "$scratch/root"
  root="$scratch/root"
  echo "unpacked $(basename "$deb") into $root"
fi
share="$root/usr/share"

# What the package put there: the programs, the web engine's module, the menu entry, the icons, the manuals, the completion.
for f in usr/bin/vantrelo usr/bin/vantrelo-cli usr/lib/vantrelo/browser/vantrelo_browser_engine.so \
         usr/share/applications/vantrelo.desktop \
         usr/share/icons/hicolor/scalable/apps/vantrelo.svg usr/share/icons/hicolor/scalable/apps/vantrelo-tray.svg \
         usr/share/metainfo/org.vantrelo.Vantrelo.metainfo.xml usr/share/man/man1/vantrelo.1.gz \
         usr/share/man/man1/vantrelo-cli.1.gz usr/share/bash-completion/completions/vantrelo-cli \
         usr/share/vantrelo/default.exc usr/share/vantrelo/skins/scale_dark.skn usr/share/doc/vantrelo/copyright; do
  [ -e "$root/$f" ] || fail "/$f is missing"
done
desktop-file-validate "$share/applications/vantrelo.desktop"
# The metadata with the desktop entry and the icon it names.
appstreamcli validate-tree --no-net "${root:-/}" >/dev/null || appstreamcli validate-tree --no-net "${root:-/}"
for page in vantrelo vantrelo-cli; do
  MANPAGER=cat man -l "$share/man/man1/$page.1.gz" | grep -q "^NAME" || fail "the $page manual page does not render"
done
"$root/usr/bin/vantrelo" --version | grep -q "^vantrelo " || fail "vantrelo --version"
env -u DISPLAY "$root/usr/bin/vantrelo" --help | grep -q -- "--toggle" || fail "vantrelo --help without a display"

# The installed programs find their shipped files in the prefix they were installed in.
mkdir -p "$scratch/home"
skin=$(HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" "$root/usr/bin/vantrelo-cli" settings get skinname)
[ "$skin" = "$share/vantrelo/skins/scale_dark.skn" ] || fail "the default skin is $skin, not the installed one"

# The installed program on a private X server, with a fresh user's folders.
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_RUNTIME_DIR="$scratch/run"
export XDG_DATA_DIRS="$share:/usr/share"
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb <&3
display=""
for _ in $(seq 50); do read -r -t 0.2 display <&3 && break; done
[ -n "$display" ] || fail "Xvfb did not start"
export DISPLAY=":$display"
jwm >/dev/null 2>&1 & wm=$!
# The wizard is activated below, which needs the window manager to have announced itself.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || fail "jwm did not start"
"$root/usr/bin/vantrelo" >"$scratch/vantrelo.log" 2>&1 & app=$!
# A new installation greets the user with the configuration wizard; Esc leaves it as it is.
wait_window() {
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null || true)
    id=${id%%$'\n'*}
    [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { cat "$scratch/vantrelo.log" >&2; fail "the installed vantrelo showed no window named $1"; }
  echo "$id"
}
wizard=$(wait_window '^Vantrelo - Configuration wizard$')
xdotool windowactivate --sync "$wizard" key Escape
for _ in $(seq 100); do xdotool search --onlyvisible --name 'Configuration wizard' >/dev/null 2>&1 || break; sleep 0.2; done
win=$(wait_window '^Vantrelo$')
# -len keeps the icon's pixels out of the answer (a pipe to head would end xprop with SIGPIPE).
props=$(xprop -len 16 -id "$win" WM_CLASS _NET_WM_ICON)
grep -q '"vantrelo"' <<<"$props" || fail "the window's class is not vantrelo: $props"
grep -q '^_NET_WM_ICON(CARDINAL)' <<<"$props" || fail "the window carries no icon: $props"
"$root/usr/bin/vantrelo-cli" keywords list | grep -q . || fail "the installed default keywords were not read"
"$root/usr/bin/vantrelo" -exit
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
! kill -0 "$app" 2>/dev/null || fail "vantrelo -exit did not end the installed program"
wait "$app" || fail "the installed vantrelo ended with status $?"
app=""
echo "the installed vantrelo greeted with its wizard, showed its window with its icon and ended on -exit"

if [ "$installed" -eq 1 ]; then
  apt-get remove --purge -y -qq vantrelo >/dev/null
  installed=0
  [ ! -e /usr/bin/vantrelo ] && [ ! -e /usr/share/applications/vantrelo.desktop ] || fail "files are left after the removal"
  echo "removed the package again"
fi
echo "install test: passed"
