#!/usr/bin/env bash
# End-to-end test under a real window manager (openbox): the settings window belongs to the
# main window, stays above it, sits beside it and leaves the origin free; after a change,
# Ctrl+N pressed while the settings window is active opens the save question, which is the
# topmost of the program's windows and not covered by any of them.
# Arguments: the program, a folder for the log (optional).
set -euo pipefail

program=$1
if [ -z "${KRAFTBILD_E2E_INSIDE:-}" ]; then
  for tool in xvfb-run xauth xdotool xprop openbox; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)"; exit 1; }
  done
  export KRAFTBILD_E2E_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi

out=${2:-}
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
# Recovery files and settings of our own: none of the user's is offered, none is left behind.
export XDG_DATA_HOME=$runtime/data XDG_CONFIG_HOME=$runtime/config XDG_CACHE_HOME=$runtime/cache
unset QT_QPA_PLATFORM LANGUAGE
# A system without a language: the program speaks its own German, whatever the machine's.
export LC_ALL=C.UTF-8
log=${out:+$out/program-wm.log}
[ -n "$out" ] && mkdir -p "$out"

wm_pid=""
pid=""
cleanup() {
  [ -n "$pid" ] && { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
  [ -n "$wm_pid" ] && { kill "$wm_pid" 2>/dev/null || true; wait "$wm_pid" 2>/dev/null || true; }
  rm -rf "$runtime"
}
trap cleanup EXIT

# Polls a command until it succeeds: up to 20 s, however loaded the machine.
poll() {
  for _ in $(seq 1 200); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
# The window manager is running once it announces itself on the root window.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
poll wm_ready || { echo "not ok: openbox did not start"; exit 1; }
echo "ok: openbox runs"

"$program" >"${log:-/dev/null}" 2>&1 &
pid=$!

find_window() {
  timeout 90 xdotool search --sync --onlyvisible --name "$1" | head -n 1 || true
}
main=$(find_window '^Das Kraftbild$')
settings=$(find_window '^Einstellungen$')
if [ -z "$main" ] || [ -z "$settings" ]; then
  echo "not ok: windows not found"
  exit 1
fi

# Frame-less client geometries (X, Y, WIDTH, HEIGHT), as the window manager placed them.
geometry() { xdotool getwindowgeometry --shell "$1"; }
eval "$(geometry "$main" | sed 's/^/M_/')"
eval "$(geometry "$settings" | sed 's/^/S_/')"
echo "main $M_X,$M_Y ${M_WIDTH}x$M_HEIGHT; settings $S_X,$S_Y ${S_WIDTH}x$S_HEIGHT"

# The origin is the centre of the drawing surface, which fills the client area between the
# menu bar and the 19-pixel status bar; 535 pixels high at start.
origin_x=$((M_X + M_WIDTH / 2))
origin_y=$((M_Y + M_HEIGHT - 19 - 535 / 2))
if ((S_X <= origin_x && origin_x < S_X + S_WIDTH && S_Y <= origin_y && origin_y < S_Y + S_HEIGHT)); then
  echo "not ok: the settings window covers the origin"
  exit 1
fi
echo "ok: the origin is free"

# The settings window is transient for the main window (owned by it), not on top of all.
xprop -id "$settings" WM_TRANSIENT_FOR | grep -q "$(printf '0x%x' "$main")" ||
  { echo "not ok: the settings window is not owned by the main window"; exit 1; }
if xprop -id "$settings" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; then
  echo "not ok: the settings window stays above every program"
  exit 1
fi
echo "ok: the settings window belongs to the main window"
# Its size is fixed: the window manager offers neither resizing nor maximising.
if xprop -id "$settings" _NET_WM_ALLOWED_ACTIONS | grep -Eq '_NET_WM_ACTION_(RESIZE|MAXIMIZE)'; then
  echo "not ok: the settings window can be resized or maximised"
  exit 1
fi
echo "ok: the settings window has a fixed size"

# Bottom to top, the window manager's stacking order of its clients, in decimal.
stacking() {
  xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//' | tr ',' '\n' |
    while read -r id; do [ -n "$id" ] && printf '%d\n' "$id"; done
}
# Whether the first window is stacked above the second.
above() {
  local order upper lower
  order=$(stacking)
  upper=$(grep -n "^$1\$" <<<"$order" | cut -d: -f1)
  lower=$(grep -n "^$2\$" <<<"$order" | cut -d: -f1)
  [ -n "$upper" ] && [ -n "$lower" ] && ((upper > lower))
}
active_is() { [ "$(xdotool getactivewindow)" = "$1" ]; }

# A change: a click on the drawing area, away from the origin and the settings window. The
# main window, active and raised, still leaves the settings window above it.
xdotool mousemove $((M_X + 400)) $((M_Y + 150)) click 1
timeout 10 xdotool windowactivate --sync "$main" || true
poll active_is "$main" || { echo "not ok: the main window is not active"; exit 1; }
poll above "$settings" "$main" || { echo "not ok: the main window covers the settings window"; exit 1; }
echo "ok: the active main window leaves the settings window above it"

# The settings window active, then Ctrl+N from the keyboard.
timeout 10 xdotool windowactivate --sync "$settings" || true
poll active_is "$settings" || { echo "not ok: the settings window is not active"; exit 1; }
xdotool key ctrl+n
question=$(find_window '^Projekt speichern$')
[ -n "$question" ] || { echo "not ok: Ctrl+N in the settings window shows no question"; exit 1; }
echo "ok: Ctrl+N in the settings window asks"

# The question is stacked above the main and settings windows once it is mapped.
question_on_top() { above "$question" "$settings" && above "$question" "$main"; }
poll question_on_top || {
  echo "not ok: the question is below a window of the program"
  stacking
  exit 1
}
# Nothing of the program above it: it is the last of the program's windows in the order.
last=$(stacking | tail -n 1)
[ "$last" = "$question" ] || { echo "not ok: window $last is above the question"; exit 1; }
echo "ok: the question is on top"

# Cancelled with Escape, the question goes and the project stays.
timeout 10 xdotool windowactivate --sync "$question" || true
xdotool key Escape
gone() { ! xdotool search --onlyvisible --name '^Projekt speichern$'; }
poll gone || { echo "not ok: the question stays"; exit 1; }
kill -0 "$pid" || { echo "not ok: the program ended"; exit 1; }
echo "window-manager checks passed"
