#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan and UBSan) in build/fuzz,
# writes their seed corpus with the GameBuilder's writers and runs each target
# for a while on it. A crash, sanitizer report or failed check fails the
# script; the input that caused it is kept in build/fuzz/findings/.
#   scripts/fuzz.sh [SECONDS-PER-TARGET] [TARGET...]   (default: 20, every target)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
build=build/fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCORVANE_BUILD_FUZZ=ON -DCORVANE_BUILD_TESTS=OFF -DCORVANE_WERROR=ON >/dev/null
cmake --build "$build" --target corvane_fuzz -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

"$build/fuzz/seed_corpus" "$build/corpus"
mkdir -p "$build/findings" "$build/logs"

summary=()
failed=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  if [ -z "$(ls -A "$corpus" 2>/dev/null)" ]; then
    summary+=("$target: no seeds in $corpus (seed_corpus writes none for it)")
    failed=1
    continue
  fi
  log="$build/logs/$target.log"
  # Leaks are checked by the test suite; here any crash, overrun or undefined
  # behaviour ends the run.
  if ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/findings/$target-" "$corpus" >"$log" 2>&1; then
    outcome=ok
  else
    outcome="FAILED (see $log and $build/findings/)"
    failed=1
    tail -n 40 "$log" >&2
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  summary+=("$target: ${runs:-?} executions in ${seconds}s, $outcome")
done

for line in "${summary[@]}"; do echo "fuzz: $line"; done
exit "$failed"
