#!/usr/bin/env bash
# End-to-end test: the real program in a virtual X server. A click on the drawing area
# creates a charge, a drag moves it; the screenshots must show the red disc where it was
# dropped and none where it was, the light grey field lines (following the charge before
# the mouse button is released) and the axes. Then the project is
# saved through Qt's file dialog, a new project is started (answering the save question),
# and the file is opened again: the drawing area must be as it was before saving. A charge
# created then is taken back with Strg+Z and brought back with Strg+Y.
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
rm -f "$out/projekt.kbf" # the save dialog would ask before replacing it
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
# Recovery files and settings of our own: none of the user's is offered, none is left behind.
export XDG_DATA_HOME=$runtime/data XDG_CONFIG_HOME=$runtime/config XDG_CACHE_HOME=$runtime/cache
unset QT_QPA_PLATFORM LANGUAGE
# A system without a language: the program speaks its own German, whatever the machine's.
export LC_ALL=C.UTF-8

"$program" >"$out/program.log" 2>&1 &
pid=$!
cleanup() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -rf "$runtime"
  if [ -n "${KRAFTBILD_E2E_TEMP_OUT:-}" ]; then rm -rf "$out"; fi
}
trap cleanup EXIT

window=$(timeout 90 xdotool search --sync --onlyvisible --name '^Das Kraftbild$' | head -n 1)
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

# Like expect, over the drawing area only: the menu bar and the status bar, which shows the
# last mouse position, are left out, and so is a strip the settings window may cover at the
# main window's edge (it shows the selection, which opening a project clears).
expect_surface() {
  local X=$X Y=$surface_top WIDTH=$WIDTH HEIGHT=$surface_height
  local settings left=$X right=$((X + WIDTH))
  settings=$(xdotool search --onlyvisible --name '^Einstellungen$' | head -n 1 || true)
  if [ -n "$settings" ]; then
    eval "$(xdotool getwindowgeometry --shell "$settings" | sed 's/^/S_/')"
    if ((S_X <= left && S_X + S_WIDTH > left)); then left=$((S_X + S_WIDTH)); fi
    if ((S_X < right && S_X + S_WIDTH >= right)); then right=$S_X; fi
  fi
  X=$left WIDTH=$((right - left)) expect "$@"
}

# The first visible window whose name matches the pattern, waiting for it.
find_window() {
  timeout 90 xdotool search --sync --onlyvisible --name "$1" | head -n 1 || true
}

# Waits until no visible window's name matches the pattern.
wait_gone() {
  for _ in $(seq 1 50); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# Waits until the main window's title is exactly the text.
wait_title() {
  local title=""
  for _ in $(seq 1 50); do
    title=$(xdotool getwindowname "$window")
    [ "$title" = "$1" ] && { echo "ok: title $1"; return 0; }
    sleep 0.1
  done
  echo "not ok: title '$title', expected '$1'"
  exit 1
}

# A key combination for the main window, which gets the keyboard focus first.
main_key() {
  timeout 10 xdotool windowfocus --sync "$window"
  xdotool key "$1"
}

# Types a path into the file-name field of Qt's file dialog and presses Enter; again if the
# field's completion list took the first Enter.
file_dialog() {
  local title=$1 path=$2 dialog
  dialog=$(find_window "^$title\$")
  [ -n "$dialog" ] || { echo "no dialog '$title'"; exit 1; }
  timeout 10 xdotool windowfocus --sync "$dialog"
  xdotool type --delay 5 "$path"
  for _ in 1 2 3; do
    xdotool key Return
    wait_gone "^$title\$" && { echo "ok: $title $path"; return 0; }
  done
  echo "not ok: the dialog '$title' stays open"
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
# The button is still held: the field lines have followed the charge already.
expect dragging "red:$bx,$by" "nored:$ax,$ay" "from:$bx,$by" lines axes
xdotool mouseup 1
# After the release the lines start at the new place.
expect dragged "red:$bx,$by" "nored:$ax,$ay" "from:$bx,$by" lines axes

# The drawing surface fills the client area between the menu bar and the 19-pixel status bar.
surface_height=535
surface_top=$((Y + HEIGHT - 19 - surface_height))
cp "$out/dragged.png" "$out/before-save.png"
park() { xdotool mousemove $((X + WIDTH + 50)) $((Y + HEIGHT + 50)); }
park # keyboard only from here: no cursor field line, no status text

# Save: the project has no file yet, so "Speichern" asks for a name; typed without its
# extension, it gets ".kbf".
main_key ctrl+s
file_dialog "Speichern unter" "$out/projekt"
wait_title "Das Kraftbild - [$out/projekt.kbf]"
for _ in $(seq 1 50); do [ -s "$out/projekt.kbf" ] && break; sleep 0.1; done
[ -s "$out/projekt.kbf" ] || { echo "not ok: $out/projekt.kbf was not written"; exit 1; }

# A change, so that "Neu" asks whether to save it; the answer is No.
cx=$((X + 150)); cy=$((surface_top + 150))
xdotool mousemove "$cx" "$cy" click 1
expect changed "red:$cx,$cy" "red:$bx,$by"
park
main_key ctrl+n
question=$(find_window '^Projekt speichern$')
[ -n "$question" ] || { echo "not ok: no save question"; exit 1; }
timeout 10 xdotool windowfocus --sync "$question"
xdotool key alt+n
wait_gone '^Projekt speichern$' || { echo "not ok: the question stays"; exit 1; }
wait_title "Das Kraftbild"
expect new "nored:$bx,$by" "nored:$cx,$cy" axes

# Open the saved file: the picture of before saving, except for the selection outline (a
# loaded project has no selected charge).
main_key ctrl+o
file_dialog "Öffnen" "$out/projekt.kbf"
wait_title "Das Kraftbild - [$out/projekt.kbf]"
expect_surface opened "except:$bx,$by" "same:$out/before-save.png" "red:$bx,$by" "nored:$cx,$cy"

# Undo and redo: a click creates a charge, Strg+Z takes it back, Strg+Y brings it again.
xdotool mousemove "$cx" "$cy" click 1
expect undo-created "red:$cx,$cy" "red:$bx,$by"
park
main_key ctrl+z
expect undone "nored:$cx,$cy" "red:$bx,$by"
main_key ctrl+y
expect redone "red:$cx,$cy" "red:$bx,$by"

kill -0 "$pid" || { echo "the program ended"; exit 1; }

# Started again with the file on the command line, as a double click in a file manager does:
# the same picture as after opening it.
kill "$pid"
wait "$pid" 2>/dev/null || true
wait_gone '^Das Kraftbild' || { echo "not ok: the program's windows stay"; exit 1; }
# The SIGTERM kept the unsaved redo in a recovery file (run_e2e_recovery.sh checks that);
# here the next start is to open the file only.
rm -rf "$XDG_DATA_HOME"
"$program" "$out/projekt.kbf" >>"$out/program.log" 2>&1 &
pid=$!
window=$(find_window "^Das Kraftbild - \\[$out/projekt.kbf\\]\$")
[ -n "$window" ] || { echo "not ok: the project named on the command line is not open"; exit 1; }
expect_surface command-line "except:$bx,$by" "same:$out/before-save.png" "red:$bx,$by"
echo "end-to-end checks passed"
