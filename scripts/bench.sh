#!/usr/bin/env bash
# Runs every benchmark program of a build, then prints one table of the measures that have a goal
# (ratios against their limit, absolute times, growth) with each program's peak memory.
set -euo pipefail
build=${1:-build}
shopt -s nullglob
programs=("$build"/bench/*_bench)
if [ ${#programs[@]} -eq 0 ]; then
  echo "bench: no benchmark programs under $build/bench (configure with -DCLOUDDB_BUILD_BENCH=ON)" >&2
  exit 1
fi
results="$build/bench/results"
rm -rf "$results" && mkdir -p "$results"
for program in "${programs[@]}"; do
  name=$(basename "$program")
  echo "== $name"
  /usr/bin/time -f "%M" -o "$results/$name.peak" "$program" --benchmark_counters_tabular=true \
    --benchmark_out="$results/$name.json" --benchmark_out_format=json
done
echo
echo "== goals (values from the runs above; peak memory in MiB)"
python3 "$(dirname "$0")/bench_table.py" "$results"
