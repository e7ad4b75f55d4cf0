#!/usr/bin/env bash
# Runs each fuzz target for a bounded time: tools/run-fuzz.sh BUILD SECONDS. The corpus grows in
# BUILD/fuzz-corpus/TARGET (seeded from the program's own writers); findings (crashing, leaking,
# slow or memory-hungry inputs) land in BUILD/fuzz-findings/TARGET, the output in
# BUILD/fuzz-logs. FUZZ_TARGETS="fuzz_x fuzz_y" runs only those. Fails when anything was found.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
targets=(${FUZZ_TARGETS:-fuzz_log_database fuzz_adif_log fuzz_import_run fuzz_results_file fuzz_answer_history
  fuzz_ini_file fuzz_tally fuzz_text_codec})

"$build/bin/make_fuzz_seeds" "$build/fuzz-seeds"
mkdir -p "$build/fuzz-logs"
found=()
for target in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$target"
  findings="$build/fuzz-findings/$target"
  log="$build/fuzz-logs/$target.log"
  mkdir -p "$corpus" "$findings"
  # A slow input (10 s) or one that wants more than 1 GB is a finding like a crash.
  if ASAN_OPTIONS=detect_leaks=1 "$build/bin/$target" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$findings/" \
      "$corpus" "$build/fuzz-seeds/$target" >"$log" 2>&1; then
    result="ok"
  else
    result="FOUND $(ls "$findings" | head -1)"
    found+=("$target")
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  echo "$target: ${runs:-?} executions in ${seconds} s, corpus $(ls "$corpus" | wc -l), $result"
done
if ((${#found[@]} > 0)); then
  echo "fuzz: findings in ${found[*]} (see $build/fuzz-findings and $build/fuzz-logs)"
  exit 1
fi
