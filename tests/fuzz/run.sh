#!/usr/bin/env bash
# Fuzzes each harness in turn for SECONDS on one core, on a scratch copy of its corpus (the repository's
# corpus is left as it is; keep a find by copying it into corpus/<harness>/), then prints a table.
# Usage: run.sh BUILD_DIR SECONDS [HARNESS...]
set -uo pipefail
build=$1 seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(settings options replay key_script)
out=$(cd "$build" && pwd)/fuzz-runs/$(date +%Y%m%d-%H%M%S)
mkdir -p "$out"
failed=0
rows=()
for h in "${harnesses[@]}"; do
  work=$out/$h
  mkdir -p "$work/corpus" "$work/artifacts"
  cp "$here/corpus/$h/"* "$work/corpus/"
  max_len=4096
  [ "$h" = replay ] && max_len=262144
  start=$(date +%s%N)
  # Leaks are looked for after every input that grows the heap; a hang is anything over a second.
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/tests/fuzz/quivex_fuzz_$h" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=4096 \
      -dict="$here/$h.dict" -detect_leaks=1 -max_len=$max_len -print_final_stats=1 \
      -artifact_prefix="$work/artifacts/" "$work/corpus" > "$work/log" 2>&1
  status=$?
  took=$(awk -v a="$start" -v b="$(date +%s%N)" 'BEGIN { printf "%.1f", (b - a) / 1e9 }')
  last=$(grep -E '^#[0-9]+' "$work/log" | tail -1)
  runs=$(grep -oP 'stat::number_of_executed_units: \K[0-9]+' "$work/log" || echo "$last" | grep -oP '^#\K[0-9]+')
  [ -n "$runs" ] || runs=0
  cov=$(echo "$last" | grep -oP 'cov: \K[0-9]+' || echo "-")
  ft=$(echo "$last" | grep -oP 'ft: \K[0-9]+' || echo "-")
  artifacts=$(ls "$work/artifacts" 2>/dev/null | sed "s|^|$work/artifacts/|" | tr '\n' ' ')
  crashes=$(ls "$work/artifacts" 2>/dev/null | wc -l)
  [ $status -ne 0 ] && [ "$crashes" -eq 0 ] && crashes="exit $status"
  [ $status -ne 0 ] || [ "$crashes" != 0 ] && failed=1
  rows+=("$(printf '%-11s %8.0f %10s %9.0f %6s %6s  %s %s' "$h" "$took" "$runs" "$(awk -v r="$runs" -v t="$took" 'BEGIN { print r / t }')" "$cov" "$ft" "$crashes" "$artifacts")")
done
printf '\n%-11s %8s %10s %9s %6s %6s  %s\n' harness seconds runs runs/s cov ft crashes
printf '%s\n' "${rows[@]}"
echo "logs and new inputs: $out"
exit $failed
