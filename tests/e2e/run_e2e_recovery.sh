#!/usr/bin/env bash
# End-to-end test of autosave and recovery: the real program in a virtual X server with a
# private data folder and a short autosave interval. A click creates a charge; once the
# recovery file is written the program is killed with SIGKILL. Started again, it offers the
# work, "Wiederherstellen" brings the charge back. A SIGTERM then ends it with status 0 and
# leaves the recovery file; the next start offers it again, "Verwerfen" deletes it, and a
# SIGTERM of the unchanged program leaves nothing behind.
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
export KRAFTBILD_AUTOSAVE_MS=300
unset QT_QPA_PLATFORM LANGUAGE
# A system without a language: the program speaks its own German, whatever the machine's.
export LC_ALL=C.UTF-8

pid=""
cleanup() {
  [ -n "$pid" ] && { kill -9 "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
  rm -rf "$runtime"
  if [ -n "${KRAFTBILD_E2E_TEMP_OUT:-}" ]; then rm -rf "$out"; fi
}
trap cleanup EXIT

start() {
  "$program" >>"$out/program-recovery.log" 2>&1 &
  pid=$!
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
# Polls a command until it succeeds: up to 20 s, however loaded the machine.
poll() {
  for _ in $(seq 1 200); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
recovery_files() { find "$XDG_DATA_HOME" -name '*.kbr' | sort; }
lock_files() { find "$XDG_DATA_HOME" -name '*.kbr.lock' | sort; }
has_recovery_file() { [ -n "$(recovery_files)" ]; }
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
# Answers the offer of left work with the key presses given.
answer_offer() {
  local question
  question=$(find_window '^Ungesicherte Arbeit$')
  [ -n "$question" ] || { echo "not ok: no offer of the left work"; exit 1; }
  timeout 10 xdotool windowfocus --sync "$question"
  xdotool key "$@"
  wait_gone '^Ungesicherte Arbeit$' || { echo "not ok: the offer stays"; exit 1; }
}
main_window() {
  window=$(find_window '^Das Kraftbild\*?$') # "*": unsaved changes, as after a recovery
  [ -n "$window" ] || { echo "not ok: main window not found"; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y, WIDTH, HEIGHT
}
# Ends the program with a signal and checks its exit status.
end_with() {
  local signal=$1 expected=$2 status=0
  kill "-$signal" "$pid"
  gone() { ! kill -0 "$pid"; }
  poll gone || { echo "not ok: the program does not end on $signal"; exit 1; }
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq "$expected" ] || { echo "not ok: status $status after $signal"; exit 1; }
  echo "ok: $signal ends the program with status $status"
}

start
main_window
ax=$((X + 300)); ay=$((Y + 250))
expect started axes
xdotool mousemove "$ax" "$ay" click 1
expect created "red:$ax,$ay"
poll has_recovery_file || { echo "not ok: no recovery file written"; exit 1; }
echo "ok: autosaved to $(recovery_files)"
crashed=$(recovery_files)

# A crash: no handler runs, the lock file stays with a process that is gone.
end_with KILL 137
[ -n "$(lock_files)" ] || { echo "not ok: SIGKILL left no lock file"; exit 1; }

start
answer_offer Return # "Wiederherstellen" is the default button
main_window
expect restored "red:$ax,$ay"
# The work moved into the new program's own recovery file.
[ ! -e "$crashed" ] || { echo "not ok: the crashed program's file stays"; exit 1; }
has_recovery_file || { echo "not ok: the restored work has no recovery file"; exit 1; }
restored=$(recovery_files)
echo "ok: restored work kept in $restored"

# Logout: no save question, status 0, the work stays for the next start.
end_with TERM 0
[ "$(recovery_files)" = "$restored" ] || { echo "not ok: SIGTERM did not keep the work"; exit 1; }
[ -z "$(lock_files)" ] || { echo "not ok: a lock file outlives its program"; exit 1; }

start
answer_offer Tab space # "Verwerfen"
main_window
expect discarded "nored:$ax,$ay" axes
has_recovery_file && { echo "not ok: the discarded work stays: $(recovery_files)"; exit 1; }
end_with TERM 0
has_recovery_file && { echo "not ok: an unchanged program left a recovery file"; exit 1; }
[ -z "$(lock_files)" ] || { echo "not ok: a lock file outlives its program"; exit 1; }
echo "recovery end-to-end checks passed"
