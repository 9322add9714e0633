#!/usr/bin/env bash
# End-to-end test of the picture on real screens. At a scale factor of 1.5 the x axis is
# equally thick along its whole length. On an X server of 120 dpi, 100 screen pixels right of
# the origin are 2.12 cm without calibration: the status bar reads there pixel for pixel as
# it reads 80 pixels right of the origin on a 96-dpi server, and not as it reads 80 pixels
# right of it on the 120-dpi one.
# Arguments: the program, the screenshot checker, a folder for the logs and screenshots
# (optional).
set -euo pipefail

program=$1
checker=$2
if [ -z "${KRAFTBILD_E2E_SCREEN:-}" ]; then
  for tool in xvfb-run xauth xdotool import; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)"; exit 1; }
  done
  out=${3:-}
  own_out=""
  if [ -z "$out" ]; then
    out=$(mktemp -d)
    own_out=$out
  fi
  mkdir -p "$out"
  status=0
  for screen in 96 120 scaled; do
    dpi=$screen
    [ "$screen" = scaled ] && dpi=96
    KRAFTBILD_E2E_SCREEN=$screen xvfb-run -a -s "-screen 0 1280x1024x24 -dpi $dpi -noreset" \
      "$0" "$program" "$checker" "$out" || { status=1; break; }
  done
  [ -n "$own_out" ] && rm -rf "$own_out"
  [ "$status" -eq 0 ] && echo "screen checks passed"
  exit "$status"
fi

out=$3
screen=$KRAFTBILD_E2E_SCREEN
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
# Settings of our own: no calibration of the user's is applied.
export XDG_DATA_HOME=$runtime/data XDG_CONFIG_HOME=$runtime/config XDG_CACHE_HOME=$runtime/cache
unset QT_QPA_PLATFORM LANGUAGE QT_SCALE_FACTOR QT_FONT_DPI
[ "$screen" = scaled ] && export QT_SCALE_FACTOR=1.5
export LC_ALL=C.UTF-8

"$program" >"$out/program-$screen.log" 2>&1 &
pid=$!
cleanup() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
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

# A program built with the sanitizers starts slowly on a busy machine: a minute and a half,
# and a failure that says what it is.
window=$(timeout 90 xdotool search --sync --onlyvisible --name '^Das Kraftbild$' | head -n 1) ||
  true
[ -n "$window" ] || { echo "not ok: $screen: main window not found"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y, WIDTH, HEIGHT of the client area

shot() { import -window root "$out/$1.png"; }
check() { "$checker" "$out/$1.png" "$X" "$Y" "$WIDTH" "$HEIGHT" "${@:2}"; }
painted() { shot "$screen-start" && check "$screen-start" axes; }
poll painted || { echo "not ok: $screen: no axes"; check "$screen-start" axes || true; exit 1; }

if [ "$screen" = scaled ]; then
  if check "$screen-start" even:1; then
    echo "ok: at 150 % the x axis is one screen pixel thick along its length"
    exit 0
  fi
  echo "not ok: at 150 % the x axis is not equally thick"
  exit 1
fi

read -r ox oy < <(check "$screen-start" origin)
echo "$screen dpi: origin at $ox,$oy"
# The status bar's left half, where the position is shown (19 pixels high at 100 %).
status_bar() { "$checker" "$out/$1.png" "$X" $((Y + HEIGHT - 19)) $((WIDTH / 2)) 19 "${@:2}"; }
# Moves the mouse dx pixels right of the origin and waits for the status bar to change.
point_at() {
  local dx=$1 name=$2
  shot "$name-before"
  xdotool mousemove $((ox + dx)) "$oy"
  changed() { shot "$name" && ! status_bar "$name" "same:$out/$name-before.png"; }
  poll changed || { echo "not ok: $screen: the status bar does not change"; exit 1; }
}

if [ "$screen" = 96 ]; then
  point_at 80 status-96-at-80
  echo "ok: 96 dpi: the status bar 80 pixels right of the origin taken as the reference"
  exit 0
fi
point_at 100 status-120-at-100
status_bar status-120-at-100 "same:$out/status-96-at-80.png" ||
  { echo "not ok: 120 dpi: 100 pixels are not 2.12 cm"; exit 1; }
point_at 80 status-120-at-80
if status_bar status-120-at-80 "same:$out/status-96-at-80.png" >/dev/null; then
  echo "not ok: 120 dpi: 80 pixels read as on a 96-dpi screen"
  exit 1
fi
echo "ok: 120 dpi: 100 pixels right of the origin read as 80 pixels do at 96 dpi (2.12 cm)"
