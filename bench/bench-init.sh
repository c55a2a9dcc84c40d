#!/usr/bin/env bash
# kvam-cli init with 1,000,000 applicants against the sqlite3 shell storing the
# same rows (copied from the result into an empty table of the same schema).
# Target: under 60 s.
set -euo pipefail
app=${KVAM_BENCH_APP:?run through bench/run.sh}
n=${N:-1000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ms() { echo $(( $(date +%s%N) / 1000000 )); }

start=$(ms)
"$app/kvam-cli" --dir "$work/a" init --applicants "$n" >/dev/null
ours=$(( $(ms) - start ))

sqlite3 "$work/a/data/kvam.mdb" ".schema grjbxx00" > "$work/schema.sql"
start=$(ms)
sqlite3 "$work/b.db" >/dev/null <<SQL
PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;
.read $work/schema.sql
ATTACH '$work/a/data/kvam.mdb' AS src;
INSERT INTO grjbxx00 SELECT * FROM src.grjbxx00;
SQL
base=$(( $(ms) - start ))

awk -v n="$n" -v a="$ours" -v b="$base" 'BEGIN {
  printf "init of %d applicants: %.1f s (target: under 60 s)\n", n, a / 1000
  printf "sqlite3 storing the same rows: %.1f s\n", b / 1000
  printf "ratio ours / sqlite3 copy: %.2f\n", a / b
}'
