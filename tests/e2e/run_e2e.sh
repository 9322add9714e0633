#!/usr/bin/env bash
# End-to-end test: the real program in a virtual X server. A click on the drawing area
# creates a charge, a drag moves it; the screenshots must show the red disc where it was
# dropped and none where it was, the light grey field lines and the axes.
# Arguments: the program, the screenshot checker, a folder for the screenshots.
set -euo pipefail

program=$1
checker=$2
out=${3:-$(mktemp -d)}

if [ -z "${KRAFTBILD_E2E_INSIDE:-}" ]; then
  for tool in xvfb-run xauth xdotool import; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)"; exit 1; }
  done
  export KRAFTBILD_E2E_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program" "$checker" "$out"
fi

mkdir -p "$out"
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
unset QT_QPA_PLATFORM

"$program" >"$out/program.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$runtime"' EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Das Kraftbild$' | head -n 1)
[ -n "$window" ] || { echo "main window not found"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y, WIDTH, HEIGHT of the client area
echo "main window $window at $X,$Y size ${WIDTH}x$HEIGHT"

# A mapped window is not painted yet: take screenshots until the checks pass (or give up).
expect() {
  local name=$1
  shift
  for _ in $(seq 1 50); do
    import -window root "$out/$name.png"
    if "$checker" "$out/$name.png" "$X" "$Y" "$WIDTH" "$HEIGHT" "$@" >/dev/null; then
      echo "ok: $name"
      return 0
    fi
    sleep 0.2
  done
  echo "not ok: $name"
  "$checker" "$out/$name.png" "$X" "$Y" "$WIDTH" "$HEIGHT" "$@" || true
  exit 1
}

# Points of the drawing area well below the menu bar and away from the settings window.
ax=$((X + 300)); ay=$((Y + 250))
bx=$((X + 450)); by=$((Y + 310))

expect started axes
xdotool mousemove "$ax" "$ay" click 1
expect created "red:$ax,$ay" "from:$ax,$ay" lines axes

xdotool mousemove "$ax" "$ay" mousedown 1
for i in 1 2 3 4 5 6 7 8 9 10; do
  xdotool mousemove $((ax + (bx - ax) * i / 10)) $((ay + (by - ay) * i / 10))
done
xdotool mouseup 1
# The frames during the drag show the old background; after the release the lines start
# at the new place.
expect dragged "red:$bx,$by" "nored:$ax,$ay" "from:$bx,$by" lines axes

kill -0 "$pid" || { echo "the program ended"; exit 1; }
echo "end-to-end checks passed"
