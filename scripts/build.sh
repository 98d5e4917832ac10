#!/usr/bin/env bash
# Configures and builds one configuration of the editor.
#   scripts/build.sh [release|asan]   (default: release)
set -euo pipefail
cd "$(dirname "$0")/.."

config=${1:-release}
flags=(-DCORVANE_WERROR=ON)
case "$config" in
  # The benchmarks are built (not run) with the release build, so they keep compiling.
  release) flags+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_BUILD_BENCH=ON) ;;
  asan)    flags+=(-DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON) ;;
  *) echo "unknown configuration: $config" >&2; exit 1 ;;
esac

cmake -S . -B "build/$config" -G Ninja "${flags[@]}" >/dev/null
cmake --build "build/$config" -j "$(nproc)"
