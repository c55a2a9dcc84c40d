#!/usr/bin/env bash
# Statistic 2 (unit, level, way of promotion, kind of unit) over N applicants
# with kvam-cli stats, against the sqlite3 shell running the same GROUP BY
# without the name sub-selects and the total row. Best of three runs each.
# Target: ratio under 2.
set -euo pipefail
app=${KVAM_BENCH_APP:?run through bench/run.sh}
n=${N:-1000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ms() { echo $(( $(date +%s%N) / 1000000 )); }
best() { # command...: the shortest of three runs, in ms
  local b=0 t
  for _ in 1 2 3; do
    t=$(ms); "$@" >/dev/null; t=$(( $(ms) - t ))
    if [ "$b" -eq 0 ] || [ "$t" -lt "$b" ]; then b=$t; fi
  done
  echo "$b"
}

"$app/kvam-cli" --dir "$work" init --applicants "$n" >/dev/null
rows=$("$app/kvam-cli" --dir "$work" stats --flag psbz --statistic 2 | wc -l)

ours=$(best "$app/kvam-cli" --dir "$work" stats --flag psbz --statistic 2)
keys=z_psbz,z_sbdj,z_jsfs,z_dwxz,z_yijzgbm
base=$(best sqlite3 "$work/data/kvam.mdb" \
  "select $keys, count(*) from grjbxx00 group by $keys order by $keys")

awk -v n="$n" -v r="$rows" -v a="$ours" -v b="$base" 'BEGIN {
  printf "statistic 2 over %d applicants (%d lines): %.2f s\n", n, r, a / 1000
  printf "plain GROUP BY in the sqlite3 shell: %.2f s\n", b / 1000
  printf "ratio ours / plain GROUP BY: %.2f (target: under 2)\n", a / b
}'
