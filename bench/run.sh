#!/usr/bin/env bash
# Builds an optimised program directory in build-bench/ and runs every
# benchmark of this folder (or the ones named). Each prints its figures and
# their ratio to a baseline measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-packages.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j"$(nproc)"
export KVAM_BENCH_APP="$PWD/build-bench/app"
scripts=("$@")
[ ${#scripts[@]} -gt 0 ] || scripts=(bench/bench-*.sh)
for s in "${scripts[@]}"; do
  echo "== $s"
  bash "$s"
done
