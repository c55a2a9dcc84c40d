#!/usr/bin/env bash
# The main record query and the data module on 1,000,000 applicants:
#  - kvam-cli query with " 1=1 " streaming every row, against the sqlite3 shell
#    printing the same 45 columns raw (no decoding) from the same file
#    (target: at least 0.5 of its rate), and against the sqlite3 shell running
#    the program's own decoding statement;
#  - opening the grid's model: count and first rows, the last row, memory,
#    beside the sqlite3 shell's COUNT(*) with the same condition;
#  - the code-cache load with a work-unit table of 20,000 rows and a million
#    look-ups.
set -euo pipefail
app=${KVAM_BENCH_APP:?run through bench/run.sh}
n=${N:-1000000}
units=${UNITS:-20000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ms() { echo $(( $(date +%s%N) / 1000000 )); }

"$app/kvam-cli" --dir "$work" init --applicants "$n" >/dev/null
printf ' 1=1 \r\n' > "$work/querycon.sql"
db="$work/data/kvam.mdb"

start=$(ms)
"$app/kvam-cli" --dir "$work" query > "$work/ours.tsv"
ours=$(( $(ms) - start ))

columns=$(sqlite3 "$db" "select group_concat(name, ',') from pragma_table_info('grjbxx00')
                        where name not in ('z_grzp', 'z_zjzp', 'z_sbxl')")
start=$(ms)
sqlite3 -tabs "$db" "select ' ', z_xm, z_sbxl, $columns from grjbxx00 where 1=1 and 1=1" > "$work/raw.tsv"
raw=$(( $(ms) - start ))

# The program's own statement (28 name look-ups a row), printed by the shell.
"$app/../bench/bench-data" "$work" --statement > "$work/statement.sql"
start=$(ms)
sqlite3 -tabs "$db" < "$work/statement.sql" > "$work/decoded.tsv"
decoded=$(( $(ms) - start ))

start=$(ms)
count=$(sqlite3 "$db" "select count(*) from grjbxx00 where 1=1 and 1=1")
countms=$(( $(ms) - start ))

awk -v n="$n" -v a="$ours" -v b="$raw" -v d="$decoded" 'BEGIN {
  printf "kvam-cli query, %d rows: %.1f s, %.0f rows/s\n", n, a / 1000, n / (a / 1000)
  printf "sqlite3 shell, same 45 columns raw: %.1f s, %.0f rows/s\n", b / 1000, n / (b / 1000)
  printf "sqlite3 shell, the same decoding statement: %.1f s, %.0f rows/s\n", d / 1000, n / (d / 1000)
  printf "rate ratio ours / raw shell: %.2f (target at least 0.5)\n", b / a
  printf "rate ratio ours / shell on the same statement: %.2f\n", d / a
}'
echo "sqlite3 COUNT(*) with the same condition: $count rows in $countms ms"
"$app/../bench/bench-data" "$work"

# A work-unit table of $units rows for the cache load.
sqlite3 "$db" "
  WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < $units)
  INSERT OR IGNORE INTO T_DM_GRJBXX00_GZDW
  SELECT printf('3%03d%04d00000000', i / 1000 % 1000, i % 10000 + 1), '单位' || i, 'DW' || i,
         '1101000000000000', 2, 1 FROM k;"
echo "-- with $(sqlite3 "$db" "select count(*) from T_DM_GRJBXX00_GZDW") work units:"
"$app/../bench/bench-data" "$work" | head -2
