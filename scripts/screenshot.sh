#!/usr/bin/env bash
# Takes the README's screenshot again: the program built from this tree opens the example
# project in a virtual X server, and its main window is captured.
# Usage: scripts/screenshot.sh [OUT.png]   (default docs/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot.png}")

if [ -z "${KRAFTBILD_SCREENSHOT_INSIDE:-}" ]; then
  scripts/setup.sh
  scripts/build.sh >/dev/null
  export KRAFTBILD_SCREENSHOT_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$out"
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
unset QT_QPA_PLATFORM
project=$PWD/docs/dipol.kbf

# Numbers as on a German desktop; Qt's locale needs no system locale installed.
env LC_ALL=de_DE.UTF-8 "${BUILD_DIR:-build}/kraftbild" "$project" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$runtime"' EXIT

# The title names the project once it is loaded and drawn.
main=$(timeout 30 xdotool search --sync --onlyvisible --name "^Das Kraftbild - \\[$project\\]\$" | head -n 1)
settings=$(timeout 30 xdotool search --sync --onlyvisible --name '^Einstellungen$' | head -n 1)
if [ -z "$main" ] || [ -z "$settings" ]; then
  echo "the program's windows did not appear"
  exit 1
fi
sleep 1 # a mapped window is painted a moment later

# Without a window manager the settings window sits in the screen's corner, over the main
# window's: out of the way with it.
xdotool windowmove "$settings" 0 $((1024 - 10))
sleep 0.5 # the uncovered corner is painted again
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage -strip -colors 64 "png8:$out"
echo "$out: $(identify -format '%wx%h' "$out"), $(stat -c %s "$out") bytes"
