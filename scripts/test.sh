#!/usr/bin/env bash
# Sets up, builds and runs every test (unit, widget and end-to-end); then the same tests
# once more under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), and a timed
# libFuzzer run over the project file reader (build-fuzz/, clang).
# KRAFTBILD_QUICK=1 stops after the first stage, for quick local runs; CI runs all three.
# KRAFTBILD_FUZZ_SECONDS sets the fuzzing time (60 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
export QT_QPA_PLATFORM=offscreen

times=()
stage() {
  local name=$1 start=$SECONDS
  shift
  echo "=== $name"
  "$@"
  times+=("$name: $((SECONDS - start)) s")
  echo "=== $name passed in $((SECONDS - start)) s"
}

plain_tests() {
  scripts/setup.sh
  # Sources follow .clang-format and the scripts pass shellcheck.
  scripts/check-style.sh
  # Warnings are errors in CI.
  cmake -S . -B "${BUILD_DIR:-build}" -G Ninja -DKRAFTBILD_WERROR=ON >/dev/null
  scripts/build.sh
  ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$jobs"
}

sanitized_tests() (
  # Set for the build too: test discovery runs the test programs. LeakSanitizer stays on;
  # Qt and fontconfig leave no leak in these tests, and only libdbus's one buffer of the real
  # program under Xvfb is suppressed (tests/lsan.supp).
  export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:check_initialization_order=1:detect_stack_use_after_return=1
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  if [ ! -f build-asan/build.ninja ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKRAFTBILD_SANITIZE=ON \
      -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
  fi
  BUILD_DIR=build-asan scripts/build.sh
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
)

fuzzing() {
  scripts/setup.sh fuzz
  if [ ! -f build-fuzz/build.ninja ]; then
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++-14 -DKRAFTBILD_FUZZER=ON
  fi
  cmake --build build-fuzz -j "$jobs"
  # New inputs go to a scratch folder, so the kept corpus stays small.
  local scratch
  scratch=$(mktemp -d)
  mkdir -p build-fuzz/crashes
  if ! build-fuzz/tests/fuzz/kraftbild_fuzz_libfuzzer -max_total_time="${KRAFTBILD_FUZZ_SECONDS:-60}" \
    -max_len=4096 -timeout=10 -artifact_prefix=build-fuzz/crashes/ -print_final_stats=1 \
    "$scratch" tests/fuzz/corpus tests/fuzz/regressions >build-fuzz/fuzz.log 2>&1; then
    tail -n 60 build-fuzz/fuzz.log
    echo "The fuzzer found a failing input in build-fuzz/crashes/: fix the reader and keep the"
    echo "input in tests/fuzz/regressions/."
    return 1
  fi
  grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units)' build-fuzz/fuzz.log
  rm -rf "$scratch"
}

stage "tests" plain_tests
if [ -z "${KRAFTBILD_QUICK:-}" ]; then
  stage "tests under ASan+UBSan" sanitized_tests
  stage "libFuzzer over the project reader" fuzzing
fi
printf '%s\n' "${times[@]}"
