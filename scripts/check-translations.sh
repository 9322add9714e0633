#!/usr/bin/env bash
# Fails when a translation is unfinished or missing: every .ts file must be what lupdate makes
# of the sources (no text added, changed or removed without its English), and no message may
# be marked unfinished. The files are left as they were.
# Usage: scripts/check-translations.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: $0 BUILD_DIR}

kept=$(mktemp -d)
trap 'cp "$kept"/*.ts translations/ && rm -rf "$kept"' EXIT
cp translations/*.ts "$kept"/

cmake --build "$build" --target update_translations >/dev/null
status=0
for ts in translations/*.ts; do
  if ! cmp -s "$ts" "$kept/$(basename "$ts")"; then
    echo "not up to date with the sources: $ts (cmake --build $build --target update_translations)"
    diff -u "$kept/$(basename "$ts")" "$ts" | head -n 40 || true
    status=1
  fi
  if grep -q 'type="unfinished"' "$kept/$(basename "$ts")"; then
    echo "unfinished translations in $ts:"
    grep -B 2 'type="unfinished"' "$kept/$(basename "$ts")" | grep '<source>' | head -n 20
    status=1
  fi
done
exit "$status"
