#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a bounded time, as
# many at once as JOBS (default 2). Fails when a target finds a crash, a leak, a time-out or a
# broken property; the input is left under BUILD/fuzz-artifacts/.
#
#   scripts/fuzz.sh BUILD_DIR SECONDS_PER_TARGET [TARGET...]
#
# Each target starts from its committed corpus and reproducers (read only) and from what earlier
# runs in BUILD_DIR found (BUILD_DIR/fuzz-corpus/NAME, which keeps growing).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:?build folder}
seconds=${2:?seconds per target}
shift 2
jobs=${JOBS:-2}
# A single input may take this long before it counts as a hang (sanitizers make runs slower).
input_timeout=${FUZZ_INPUT_TIMEOUT:-20}
rss_limit_mb=${FUZZ_RSS_LIMIT_MB:-2048}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCLOUDDB_FUZZ=ON -DCLOUDDB_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target fuzzers

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for folder in fuzz/*/; do
    name=$(basename "$folder")
    [ -x "$build/fuzz/fuzz_$name" ] && targets+=("$name")
  done
fi

# Runs one target and leaves its log and its verdict (ok or FAILED) in its artifacts folder.
run_target() {
  local name=$1
  local corpus="$build/fuzz-corpus/$name"
  local artifacts="$build/fuzz-artifacts/$name"
  mkdir -p "$corpus" "$artifacts"
  local seeds=("fuzz/$name/corpus")
  [ -d "fuzz/$name/reproducers" ] && seeds+=("fuzz/$name/reproducers")
  local options=(-max_total_time="$seconds" -timeout="$input_timeout" -rss_limit_mb="$rss_limit_mb"
                 -print_final_stats=1 -artifact_prefix="$artifacts/")
  [ -f "fuzz/$name/$name.dict" ] && options+=(-dict="fuzz/$name/$name.dict")
  # A target's own flags, one a line ('#' starts a comment).
  if [ -f "fuzz/$name/$name.options" ]; then
    local flag
    while read -r flag; do
      [[ -z $flag || $flag == \#* ]] || options+=("$flag")
    done <"fuzz/$name/$name.options"
  fi
  if "$build/fuzz/fuzz_$name" "${options[@]}" "$corpus" "${seeds[@]}" >"$build/fuzz-artifacts/$name.log" 2>&1; then
    echo ok >"$artifacts/verdict"
  else
    echo FAILED >"$artifacts/verdict"
  fi
}

# As many targets at once as there are jobs: each is one process on one core.
running=0
for name in "${targets[@]}"; do
  echo "fuzz: $name for ${seconds}s"
  run_target "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

summary=()
status=0
for name in "${targets[@]}"; do
  log="$build/fuzz-artifacts/$name.log"
  result=$(cat "$build/fuzz-artifacts/$name/verdict")
  if [ "$result" != ok ]; then
    status=1
    # The finding and the top of its stack; the whole report stays in the log.
    echo "fuzz: $name found:"
    grep -m 1 -A 15 -E 'ERROR:|fuzz property broken' "$log" | cut -c 1-200 || true
    grep -E 'Test unit written' "$log" || true
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  summary+=("$(printf '%-16s %-6s %12s runs %8s exec/s' "$name" "$result" "${runs:-?}" "${rate:-?}")")
done

echo "fuzz: ${seconds}s per target, $jobs at a time"
printf '  %s\n' "${summary[@]}"
exit $status
