#!/usr/bin/env bash
# Installs what is missing, builds, creates the sample database on the first
# run and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
app=build/app
if [ ! -f "$app/data/kvam.mdb" ]; then
  "$app/kvam-cli" --dir "$app" init --applicants 200
fi
exec "$app/kvam" "$@"
