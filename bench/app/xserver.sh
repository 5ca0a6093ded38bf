# Sourced by the measuring scripts: a private X server (Xvfb) with a window manager (jwm).
# Sets DISPLAY and the process ids xvfb and wm, which the caller ends in its exit trap.
start_x() {
  exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
  read -r _ xvfb <&3
  read -r -t 10 display <&3
  export DISPLAY=":$display"
  jwm >/dev/null 2>&1 & wm=$!
  # Wait until the window manager has announced itself rather than for a fixed time.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
}
