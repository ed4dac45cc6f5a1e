#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (and those of other folders listed there) with clang
# in build-fuzz/, then runs each for a bounded time from its seed corpus in the tree. Fails
# on any crash, leak, timeout, memory blow-up or sanitizer report, and leaves the input that
# caused it in build-fuzz/fuzz-runs/NAME/.
#
#   scripts/fuzz.sh [--seconds N] [--jobs N] [--build DIR] [--only NAME]
#
# --seconds: how long each target runs (default 20, or TW_FUZZ_SECONDS); --jobs: targets run
# at once (default: the number of cores); --only: one target by name. Replay a kept input
# with build-fuzz/fuzz/fuzz_NAME FILE.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${TW_FUZZ_SECONDS:-20}
jobs=$(nproc)
dir=build-fuzz
only=""
while [ $# -gt 0 ]; do
  case $1 in
    --seconds) seconds=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --build) dir=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    *) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
  esac
done

# -O1 with line tables: quick to build, quick enough to run, and reports name their lines.
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DTW_FUZZ=ON -DTW_WIDGET_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only" >/dev/null
# One target by name builds only that one.
build_target=fuzz_all
if [ -n "$only" ]; then
  build_target=fuzz_$only
fi
cmake --build "$dir" -j "$(nproc)" --target "$build_target"

runs=$(cd "$dir" && pwd)/fuzz-runs
rm -rf "$runs"
mkdir -p "$runs"
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0:handle_abort=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_one() {
  local name=$1 program=$2 seeds=$3
  local work=$runs/$name
  mkdir -p "$work/corpus"
  # A dictionary of the input's words, where the tree has one (fuzz/NAME.dict).
  local dictionary=()
  if [ -f "fuzz/$name.dict" ]; then
    dictionary=(-dict="$PWD/fuzz/$name.dict")
  fi
  # New inputs go to the run's own corpus; the seeds in the tree are only read.
  set +e
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "${dictionary[@]}" -artifact_prefix="$work/" "$work/corpus" "$seeds" >"$work/log" 2>&1
  echo $? >"$work/rc"
  set -e
}

targets=()
while IFS=$'\t' read -r name program seeds; do
  [ -n "$name" ] || continue
  if [ -n "$only" ] && [ "$name" != "$only" ]; then
    continue
  fi
  targets+=("$name")
  run_one "$name" "$program" "$seeds" &
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
    wait -n || true
  done
done <"$dir/fuzz-targets.tsv"
wait

failed=0
for name in "${targets[@]}"; do
  work=$runs/$name
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  rc=$(cat "$work/rc")
  if [ "$rc" -eq 0 ]; then
    printf 'fuzz %-16s %10s executions in %s s\n' "$name" "${executions:-?}" "$seconds"
  else
    failed=1
    printf 'fuzz %-16s FAILED (exit %s) after %s executions; log and input in %s\n' \
      "$name" "$rc" "${executions:-?}" "$work"
    grep -E 'ERROR|SUMMARY|property broken|runtime error|Test unit written|timeout' "$work/log" \
      | head -20 || true
  fi
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz.sh: no target to run" >&2
  exit 2
fi
exit $failed
