#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless: first the
# normal build (with the benchmarks, built but not run), then every fuzz
# target for a short while (CORVANE_FUZZ_SECONDS each, default 20), then the
# same tests under AddressSanitizer and UBSan.
# CORVANE_SKIP_SANITIZERS=1 runs the normal build and the fuzz targets only.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# GL and widget tests need a display; xvfb-run gives each run its own.
run_ctest() {
  local config=$1
  shift
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "build/$config" --output-on-failure -j "$(nproc)" --timeout 300 "$@"
}

# A widget test that Xvfb refused a connection under load gets one more run;
# a test that fails twice fails the build.
scripts/build.sh release
run_ctest release -LE gl
run_ctest release -L gl --repeat until-pass:2
# Every fuzz target, built with clang in build/fuzz; a finding fails the run.
scripts/fuzz.sh "${CORVANE_FUZZ_SECONDS:-20}"
if [ "${CORVANE_SKIP_SANITIZERS:-0}" != 1 ]; then
  scripts/build.sh asan
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 run_ctest asan -LE gl
  # Mesa's drivers and the X and D-Bus libraries keep memory until exit, in
  # code already unloaded when the leak check runs; the GL tests are checked
  # for every other memory fault.
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 run_ctest asan -L gl --repeat until-pass:2
fi
