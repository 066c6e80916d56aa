#!/usr/bin/env bash
# Configures and builds with the given preset (default: "default").
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
preset="${1:-default}"
jobs="${ZOV_JOBS:-$(nproc)}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$jobs"
