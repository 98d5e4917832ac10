#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless: first the
# normal build, then the same tests under AddressSanitizer and UBSan.
# CORVANE_SKIP_SANITIZERS=1 runs the normal build only.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

run_tests() {
  local config=$1
  scripts/build.sh "$config"
  # GL tests need a display; xvfb-run gives each run its own.
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "build/$config" --output-on-failure -j "$(nproc)" --timeout 300
}

run_tests release
if [ "${CORVANE_SKIP_SANITIZERS:-0}" != 1 ]; then
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_tests asan
fi
