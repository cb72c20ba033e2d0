#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, skipping what is present, then the
# Node.js peers of the Azure tests (tests/peers, pinned by its package-lock.json).
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libpugixml-dev rapidjson-dev libboost-dev libre2-dev
  libcurl4-openssl-dev libssl-dev openssl
  binutils python3 time
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# Node.js from anywhere will do; Debian's packages only when node or npm is missing.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  missing+=(nodejs npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "setup: all Debian packages present"
fi

# The test peers: `npm ci` when node_modules is missing or older than the lock file. The stamp
# lives inside node_modules, which `npm ci` replaces whole.
peers="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/peers"
stamp="$peers/node_modules/.clouddb-setup-stamp"
if [ ! -f "$stamp" ] || [ "$peers/package-lock.json" -nt "$stamp" ]; then
  echo "setup: installing the test peers (npm ci in tests/peers)"
  (cd "$peers" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
  touch "$stamp"
else
  echo "setup: test peers present"
fi
