#!/usr/bin/env bash
# End-to-end test of what a new user meets first: F1 opens the handbook, the mouse wheel zooms
# about the mouse, and a system in English gets an English program (its save question and
# handbook) while a German one stays German, unless "Extras > Sprache" chose otherwise.
# Arguments: the program, the screenshot checker, a folder for the screenshots.
set -euo pipefail

program=$1
checker=$2
if [ -z "${3:-}" ] && [ -z "${KRAFTBILD_E2E_INSIDE:-}" ]; then
  export KRAFTBILD_E2E_TEMP_OUT=1 # a folder of our own, removed at the end
fi
out=${3:-$(mktemp -d)}

if [ -z "${KRAFTBILD_E2E_INSIDE:-}" ]; then
  for tool in xvfb-run xauth xdotool import; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)"; exit 1; }
  done
  export KRAFTBILD_E2E_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$program" "$checker" "$out"
fi

mkdir -p "$out"
out=$(cd "$out" && pwd)
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
export XDG_DATA_HOME=$runtime/data XDG_CONFIG_HOME=$runtime/config XDG_CACHE_HOME=$runtime/cache
unset QT_QPA_PLATFORM LANGUAGE LC_MESSAGES LC_NUMERIC

pid=""
cleanup() {
  [ -n "$pid" ] && { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
  rm -rf "$runtime"
  if [ -n "${KRAFTBILD_E2E_TEMP_OUT:-}" ]; then rm -rf "$out"; fi
}
trap cleanup EXIT

# Starts the program with the system language given as a locale name, and a data folder of
# its own: the work a SIGTERM kept is offered to no later start.
start() {
  XDG_DATA_HOME=$(mktemp -d -p "$runtime") LC_ALL=$1 "$program" >>"$out/program-first-hour.log" 2>&1 &
  pid=$!
}
stop() {
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
}
find_window() {
  timeout 90 xdotool search --sync --onlyvisible --name "$1" | head -n 1 || true
}
wait_gone() {
  for _ in $(seq 1 50); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}
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
main_window() {
  window=$(find_window '^Das Kraftbild\*?$')
  [ -n "$window" ] || { echo "not ok: main window not found"; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y, WIDTH, HEIGHT
}
main_key() {
  timeout 10 xdotool windowfocus --sync "$window"
  xdotool key "$@"
}
# F1 opens the handbook on its first page, under the title given.
expect_handbook() {
  main_key F1
  local handbook
  handbook=$(find_window "^$1\$")
  [ -n "$handbook" ] || { echo "not ok: F1 opens no window '$1'"; exit 1; }
  echo "ok: F1 opens '$1'"
  xdotool windowclose "$handbook" 2>/dev/null || xdotool windowunmap "$handbook"
  wait_gone "^$1\$" || { echo "not ok: the handbook stays"; exit 1; }
}

# A German system: German handbook; the wheel zooms about the mouse.
start de_DE.UTF-8
main_window
expect_handbook 'Handbuch - Erste Schritte'
ax=$((X + 300)); ay=$((Y + 250))
bx=$((X + 420)); by=$((Y + 330))
xdotool mousemove "$ax" "$ay" click 1
xdotool mousemove "$bx" "$by" click 1
expect two-charges "red:$ax,$ay" "red:$bx,$by"
# One notch up with the mouse on the first charge: it stays under the mouse, the other one
# moves away from it.
xdotool mousemove "$ax" "$ay" click 4
expect wheel-zoomed "red:$ax,$ay" "nored:$bx,$by"
xdotool mousemove "$ax" "$ay" click 5
expect wheel-back "red:$ax,$ay" "red:$bx,$by"
stop

# An English system: the save question and the handbook in English.
start en_US.UTF-8
main_window
expect_handbook 'Handbook - First steps'
xdotool mousemove "$ax" "$ay" click 1
main_key ctrl+n
question=$(find_window '^Save Project$')
[ -n "$question" ] || { echo "not ok: no English save question"; exit 1; }
echo "ok: English save question"
timeout 10 xdotool windowfocus --sync "$question"
xdotool key Escape
wait_gone '^Save Project$' || { echo "not ok: the question stays"; exit 1; }

# The choice of "Extras > Sprache", as the program keeps it, outweighs the system's language.
stop
mkdir -p "$XDG_CONFIG_HOME/kraftbild"
printf '[General]\nSprache=de\n' >"$XDG_CONFIG_HOME/kraftbild/kraftbild.conf"
start en_US.UTF-8
main_window
expect_handbook 'Handbuch - Erste Schritte'
