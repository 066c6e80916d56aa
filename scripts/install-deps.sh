#!/usr/bin/env bash
# Installs whatever the build, the program and the tests need and is not there yet:
# Debian packages from scripts/packages.txt, npm packages pinned in package.json.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"

# A command that is already there counts as installed: Node.js from another source
# (NodeSource, nvm) brings its own npm, which Debian's npm package would conflict with.
declare -A provides=([nodejs]=node [npm]=npm)

missing=()
while read -r pkg; do
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  if [[ -n "${provides[$pkg]:-}" ]] && command -v "${provides[$pkg]}" >/dev/null; then
    continue
  fi
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done < scripts/packages.txt

if ((${#missing[@]})); then
  echo "Installing Debian packages: ${missing[*]}"
  SUDO=""
  [[ $(id -u) -eq 0 ]] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [[ -f package.json ]] && grep -q '"dependencies"' package.json; then
  if [[ ! -d node_modules ]] || [[ package.json -nt node_modules ]]; then
    if [[ -f package-lock.json ]]; then npm ci --no-audit --no-fund --silent; else npm install --no-audit --no-fund --silent; fi
    touch node_modules
  fi
fi
