#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it. Arguments are
# passed on to the editor (for example: scripts/run.sh /l uken).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
exec build/release/corvane3d "$@"
