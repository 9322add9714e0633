#!/usr/bin/env bash
# Checks that every C++ source follows .clang-format and every shell script passes shellcheck;
# with --fix, formats the sources instead.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
mapfile -t scripts < <(git ls-files '*.sh' .ci/run)

if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${sources[@]}"
  exit 0
fi
clang-format --dry-run --Werror "${sources[@]}"
shellcheck "${scripts[@]}"
