#!/usr/bin/env bash
# Data packages, against plain SQLite doing the same work in the same run.
# 1. Merging a package of M records (half new, half already there) into a
#    database of N, against one upsert statement of the same rows by primary
#    key in one transaction. Target: our rate at least 1/3 of the upsert's.
# 2. A filtered export of the N-record database with about half selected,
#    against VACUUM INTO plus zip -9 of the same database. Target: within 2x.
set -euo pipefail
app=${KVAM_BENCH_APP:?run through bench/run.sh}
n=${N:-1000000}
m=${M:-100000}
cli="$app/kvam-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ms() { echo $(( $(date +%s%N) / 1000000 )); }

echo "making a database of $n and a package of $m ..."
"$cli" --dir "$work/main" init --applicants "$n" --seed 1 >/dev/null
"$cli" --dir "$work/office" init --applicants "$m" --seed 7 >/dev/null
# Half of the package's records take the numbers of people already there.
sqlite3 "$work/office/data/kvam.mdb" <<SQL
ATTACH '$work/main/data/kvam.mdb' AS m;
UPDATE OR IGNORE main.grjbxx00
   SET z_zjhm = (SELECT x.z_zjhm FROM m.grjbxx00 AS x WHERE x.rowid = main.grjbxx00.rowid)
 WHERE rowid <= $m / 2;
SQL
"$cli" --dir "$work/office" export --whole "$work/office.ps" 2>/dev/null
existing=$(sqlite3 "$work/main/data/kvam.mdb" "ATTACH '$work/office/data/kvam.mdb' AS p;
  SELECT count(*) FROM p.grjbxx00 WHERE z_zjhm IN (SELECT z_zjhm FROM main.grjbxx00);")

mkdir -p "$work/ours"
cp -r "$work/main/." "$work/ours/"
cp "$work/main/data/kvam.mdb" "$work/base.db"
sync

start=$(ms)
"$cli" --dir "$work/ours" import --all-records --update-status "$work/office.ps" >/dev/null 2>&1
merge=$(( $(ms) - start ))

columns=$(sqlite3 "$work/base.db" "SELECT group_concat(name || '=excluded.' || name, ',') FROM pragma_table_info('grjbxx00') WHERE name <> 'z_zjhm'")
start=$(ms)
sqlite3 "$work/base.db" <<SQL
ATTACH '$work/office/data/kvam.mdb' AS p;
BEGIN;
INSERT INTO main.grjbxx00 SELECT * FROM p.grjbxx00 WHERE true ON CONFLICT (z_zjhm) DO UPDATE SET $columns;
COMMIT;
SQL
upsert=$(( $(ms) - start ))

same=$(sqlite3 "$work/base.db" "ATTACH '$work/ours/data/kvam.mdb' AS o;
  SELECT (SELECT count(*) FROM main.grjbxx00) = (SELECT count(*) FROM o.grjbxx00)
     AND NOT EXISTS (SELECT * FROM main.grjbxx00 EXCEPT SELECT * FROM o.grjbxx00);")

printf ' (z_xb = 1) \r\n' > "$work/main/querycon.sql"
selected=$(sqlite3 "$work/main/data/kvam.mdb" "SELECT count(*) FROM grjbxx00 WHERE z_xb = 1")
sync
start=$(ms)
"$cli" --dir "$work/main" export "$work/selection.ps" 2>/dev/null
export=$(( $(ms) - start ))

start=$(ms)
sqlite3 "$work/main/data/kvam.mdb" "VACUUM INTO '$work/copy.db'"
(cd "$work" && zip -q -9 copy.zip copy.db)
plain=$(( $(ms) - start ))

awk -v n="$n" -v m="$m" -v e="$existing" -v a="$merge" -v b="$upsert" -v same="$same" \
    -v s="$selected" -v x="$export" -v y="$plain" 'BEGIN {
  printf "merge of %d records (%d already there) into %d: %.1f s, %.0f records/s\n", m, e, n, a / 1000, m * 1000 / a
  printf "sqlite3 upsert of the same rows in one transaction: %.1f s, %.0f records/s\n", b / 1000, m * 1000 / b
  printf "same result: %s\n", same == 1 ? "yes" : "NO"
  printf "ratio of rates ours / upsert: %.2f (target: at least 0.33)\n", b / a
  printf "filtered export of %d with %d selected: %.1f s\n", n, s, x / 1000
  printf "VACUUM INTO plus zip -9 of the same database: %.1f s\n", y / 1000
  printf "ratio of times ours / plain: %.2f (target: at most 2)\n", x / y
}'
