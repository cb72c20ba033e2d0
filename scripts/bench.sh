#!/usr/bin/env bash
# Runs every benchmark program of a build and reports peak memory beside its counters.
set -euo pipefail
build=${1:-build}
shopt -s nullglob
programs=("$build"/bench/*_bench)
if [ ${#programs[@]} -eq 0 ]; then
  echo "bench: no benchmark programs under $build/bench (configure with -DCLOUDDB_BUILD_BENCH=ON)" >&2
  exit 1
fi
for program in "${programs[@]}"; do
  echo "== $(basename "$program")"
  /usr/bin/time -f "peak memory: %M KiB" "$program" --benchmark_counters_tabular=true
done
