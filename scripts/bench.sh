#!/usr/bin/env bash
# Builds and runs every benchmark under bench/ (native ones directly, Windows
# ones under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh native win64
found=0
for b in build/native/bench_*; do
  [ -x "$b" ] || continue
  found=1; echo "== $b"; "$b"
done
scripts/wine-prefix.sh
for b in build/win64/wbench_*.exe; do
  [ -f "$b" ] || continue
  found=1; echo "== $b"; scripts/with-display scripts/wine-run "$b"
done
[ $found -eq 1 ] || echo "no benchmarks yet"
