#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, skipping what is present.
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

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "setup: all Debian packages present"
fi
