#!/usr/bin/env bash
# The record list of 100,000 applicants (kvam-cli list-xlsx: the decoding
# statement, the headings, every cell "@", progress) against, from the same
# database:
#  - libxlsxwriter writing the same 44 x 100,000 cells straight from a plain
#    SELECT of the raw columns (target: ours at most 1.5 times its time);
#  - python3-openpyxl in write-only mode from the same plain SELECT
#    (target: ours at least 5 times faster);
# and the peak resident memory of ours (target: under 300 MB).
set -euo pipefail
app=${KVAM_BENCH_APP:?run through bench/run.sh}
n=${N:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python=/usr/bin/python3

"$app/kvam-cli" --dir "$work/app" init --applicants "$n" >/dev/null
printf ' 1=1 \r\n' > "$work/app/querycon.sql"
db="$work/app/data/kvam.mdb"

timer='
import resource, subprocess, sys, time
start = time.perf_counter()
subprocess.run(sys.argv[1:], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
usage = resource.getrusage(resource.RUSAGE_CHILDREN)
print("%.3f %.3f %.0f" % (time.perf_counter() - start, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024))
'
openpyxl_writer='
import sqlite3, sys, openpyxl
from openpyxl.cell import WriteOnlyCell
db = sqlite3.connect(sys.argv[1])
rows = db.execute("select z_xm, z_shbz, z_psbz, z_zkbz, z_sbxl, z_sbzg, z_sbdj, z_sbzy, z_jsfs, z_jsjcj, z_wycj, "
  "z_xrjszg, z_xrjszgsj, z_xb, z_mz, z_zzmm, z_zjlx, z_zjhm, z_csrq, z_first_xl, z_first_xw, z_first_bysj, "
  "z_first_byyx, z_first_sxzy, z_first_zshm, z_last_xl, z_last_xw, z_last_bysj, z_last_byyx, z_last_sxzy, "
  "z_last_zshm, z_gzdw, z_cjgzsj, z_yijzgbm, z_erjzgbm, z_sanjzgbm, z_sijzgbm, z_dwxz, z_cszy, z_dh1, z_dh2, "
  "z_dh3, z_dh4, z_bz from grjbxx00 order by z_zjhm")
wb = openpyxl.Workbook(write_only=True)
ws = wb.create_sheet("sheet")
ws.append([d[0] for d in rows.description])
for r in rows:
    cells = []
    for v in r:
        c = WriteOnlyCell(ws, value=None if v is None else str(v))
        c.number_format = "@"
        cells.append(c)
    ws.append(cells)
wb.save(sys.argv[2])
'

read -r ours ours_cpu ours_rss < <($python -c "$timer" "$app/kvam-cli" --dir "$work/app" list-xlsx "$work/ours.xlsx")
read -r raw raw_cpu _ < <($python -c "$timer" "$app/../bench/bench-recordlist" "$db" "$work/raw.xlsx")
read -r py py_cpu _ < <($python -c "$timer" $python -c "$openpyxl_writer" "$db" "$work/py.xlsx")

# Processor time is the fairer figure on a machine shared with other work.
awk -v n="$n" -v a="$ours" -v ac="$ours_cpu" -v r="$raw" -v rc="$raw_cpu" -v p="$py" -v pc="$py_cpu" \
    -v m="$ours_rss" 'BEGIN {
  printf "record list of %d applicants: ours %.1f s (%.1f s processor), peak %.0f MB (target under 300 MB)\n", n, a, ac, m
  printf "libxlsxwriter from a plain SELECT: %.1f s (%.1f s processor); ours / it: %.2f wall, %.2f processor (target at most 1.5)\n", r, rc, a / r, ac / rc
  printf "openpyxl write-only from a plain SELECT: %.1f s (%.1f s processor); ours is %.1f (%.1f) times faster (target at least 5)\n", p, pc, p / a, pc / ac
}'
