#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. Arguments go to the program,
# for example: scripts/run.sh --edition "NAME"
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
bash "$here/scripts/build.sh" default
exec "$here/build/src/zov" "$@"
