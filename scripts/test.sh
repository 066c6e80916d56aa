#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
preset="${ZOV_PRESET:-default}"
bash "$here/scripts/install-deps.sh"
bash "$here/scripts/build.sh" "$preset"
cd "$here"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset" -j "${ZOV_JOBS:-$(nproc)}"
