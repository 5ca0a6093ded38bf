# Sourced by the measuring scripts: a private X server (Xvfb) with a window manager (jwm).
# Sets DISPLAY and the process ids xvfb, wm and bus, which the caller ends in its exit trap. Like a
# desktop session it has a session bus: without one, every Qt program's accessibility bridge starts
# a bus of its own through dbus-launch while it starts, and the launcher would be timed with it.
start_x() {
  exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
  read -r _ xvfb <&3
  read -r -t 10 display <&3
  export DISPLAY=":$display"
  jwm >/dev/null 2>&1 & wm=$!
  local address
  { read -r address; read -r bus; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
  export DBUS_SESSION_BUS_ADDRESS="$address"
  # Wait until the window manager has announced itself rather than for a fixed time.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
}
