#!/usr/bin/env bash
# Installs what is needed, builds the project twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test in both builds, then runs each fuzz target for
# 30 seconds. Fails on any failure or report.
# Our own builds treat every compiler warning as an error; a user's or packager's build does not.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# Qt wants a private runtime folder; root sessions in CI have none.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

# ctest's own summary of what did not run, kept for the end of the whole run.
skipped=$(mktemp)
trap 'rm -f "$skipped"' EXIT
run_tests() {
  local dir=$1 log
  log=$(mktemp)
  local status=0
  if ! ctest --test-dir "$dir" --output-on-failure -j"$jobs" 2>&1 | tee "$log"; then status=1; fi
  grep -E '\(Skipped\)|\(Not Run\)|\(Disabled\)' "$log" | sed "s|^|  $dir: |" >> "$skipped" || true
  rm -f "$log"
  return $status
}

echo "== Plain build =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVINSK_WERROR=ON
cmake --build build -j"$jobs"
run_tests build

echo "== Sanitizer build =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKORVINSK_SANITIZE=ON -DKORVINSK_WERROR=ON
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
run_tests build-asan

echo "== Fuzz targets, 30 seconds each on their corpora =="
# A clang build of its own with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer; a
# finding fails the run and its input stays in build-fuzz/fuzz-work/<target>/findings.
env -u ASAN_OPTIONS -u UBSAN_OPTIONS -u LSAN_OPTIONS FUZZ_JOBS="$jobs" bash fuzz/run.sh 30

if [ -s "$skipped" ]; then
  echo "== Tests that did not run =="
  cat "$skipped"
else
  echo "== Every test ran =="
fi
echo "== All tests passed =="
