#!/usr/bin/env bash
# End-to-end test of several charges at once: a Strg+drag rectangle around two of three
# charges and Entf removes exactly those two, one Strg+Z brings both back, and Strg+C,
# Strg+V puts copies of them at the mouse.
# Arguments: the program, the screenshot checker, a folder for the log and screenshots.
set -euo pipefail

program=$1
checker=$2
out=${3:-}
if [ -z "${KRAFTBILD_E2E_INSIDE:-}" ]; then
  for tool in xvfb-run xauth xdotool import; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)"; exit 1; }
  done
  export KRAFTBILD_E2E_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
out=${out:-$runtime/shots}
mkdir -p "$out"
export XDG_RUNTIME_DIR=$runtime
# Recovery files and settings of our own: none of the user's is offered, none is left behind.
export XDG_DATA_HOME=$runtime/data XDG_CONFIG_HOME=$runtime/config XDG_CACHE_HOME=$runtime/cache
unset QT_QPA_PLATFORM LANGUAGE
export LC_ALL=C.UTF-8

pid=""
cleanup() {
  [ -n "$pid" ] && { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
  rm -rf "$runtime"
}
trap cleanup EXIT

"$program" >"$out/program-select.log" 2>&1 &
pid=$!
window=$(timeout 90 xdotool search --sync --onlyvisible --name '^Das Kraftbild$' | head -n 1 || true)
[ -n "$window" ] || { echo "not ok: main window not found"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y, WIDTH, HEIGHT

# Polls screenshots until every check holds: up to 10 s, however loaded the machine.
expect() {
  local name=$1
  shift
  for _ in $(seq 1 50); do
    import -window root "$out/select-$name.png"
    if "$checker" "$out/select-$name.png" "$X" "$Y" "$WIDTH" "$HEIGHT" "$@" >/dev/null; then
      echo "ok: $name"
      return 0
    fi
    sleep 0.2
  done
  echo "not ok: $name"
  "$checker" "$out/select-$name.png" "$X" "$Y" "$WIDTH" "$HEIGHT" "$@" || true
  exit 1
}
main_key() {
  timeout 10 xdotool windowfocus --sync "$window"
  xdotool key "$@"
}

expect painted axes
# Three charges; the rectangle takes the first two (their centres), not the third.
ax=$((X + 200)); ay=$((Y + 200))
bx=$((X + 300)); by=$((Y + 230))
cx=$((X + 520)); cy=$((Y + 360))
for point in "$ax $ay" "$bx $by" "$cx $cy"; do
  read -r px py <<<"$point"
  xdotool mousemove "$px" "$py" click 1
done
expect three "red:$ax,$ay" "red:$bx,$by" "red:$cx,$cy"

timeout 10 xdotool windowfocus --sync "$window"
xdotool mousemove $((X + 150)) $((Y + 150)) keydown ctrl mousedown 1
xdotool mousemove $((X + 250)) $((Y + 200)) mousemove $((X + 360)) $((Y + 280))
xdotool mouseup 1 keyup ctrl
main_key Delete
expect two-deleted "nored:$ax,$ay" "nored:$bx,$by" "red:$cx,$cy"

main_key ctrl+z
expect both-back "red:$ax,$ay" "red:$bx,$by" "red:$cx,$cy"

# The two brought back are selected: copied, then pasted with the box of their centres
# centred at the mouse.
main_key ctrl+c
mx=$((X + 420)); my=$((Y + 500))
xdotool mousemove "$mx" "$my"
main_key ctrl+v
expect pasted "red:$((mx - 50)),$((my - 15))" "red:$((mx + 50)),$((my + 15))" \
  "red:$ax,$ay" "red:$bx,$by" "red:$cx,$cy"
