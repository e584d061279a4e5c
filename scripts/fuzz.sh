#!/usr/bin/env bash
# Runs each fuzz target for a few seconds from its committed seed corpus.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for corpus in tests/fuzz/corpus/*/; do
  target=$(basename "$corpus")
  # New inputs go to a scratch copy, so the committed seeds stay as they are.
  cp -r "$corpus" "$work/$target"
  echo "fuzz_$target: ${seconds}s"
  build/fuzz/tests/fuzz/fuzz_"$target" -max_total_time="$seconds" -print_final_stats=0 "$work/$target" \
    >"$work/$target.log" 2>&1 || { tail -40 "$work/$target.log"; exit 1; }
  grep -E '^Done' "$work/$target.log"
done
