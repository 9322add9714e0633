#!/usr/bin/env bash
# Sets up, builds and runs every test (unit, widget and end-to-end).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# Sources follow .clang-format and the scripts pass shellcheck.
scripts/check-style.sh

# Warnings are errors in CI.
cmake -S . -B "${BUILD_DIR:-build}" -G Ninja -DKRAFTBILD_WERROR=ON >/dev/null
scripts/build.sh

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
