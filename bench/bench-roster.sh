#!/usr/bin/env bash
# The applicant roster of N applicants (default 10,000) with kvam-cli roster,
# from the database to the closed .docx, against python3-docx building the same
# document (title, header row, the list table of N + 1 rows x 21 cells with
# borders, centred and vertically centred cells in 8 pt, signature row) from
# the same rows read with Python's sqlite3. Both are timed as whole processes,
# in wall time and in processor time. Target: python-docx / ours at least 10.
set -euo pipefail
app=${KVAM_BENCH_APP:?run through bench/run.sh}
n=${N:-10000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python=/usr/bin/python3

"$app/kvam-cli" --dir "$work/app" init --applicants "$n" >/dev/null
# Everyone passed the qualification review, so the roster lists all N.
sqlite3 "$work/app/data/kvam.mdb" "update grjbxx00 set z_shbz=1"
printf '(1=1)\r\n' > "$work/condition.sql"

# Runs a command and prints its wall and processor seconds.
timer='
import resource, subprocess, sys, time
start = time.perf_counter()
subprocess.run(sys.argv[1:], check=True, stdout=subprocess.DEVNULL)
cpu = resource.getrusage(resource.RUSAGE_CHILDREN)
print("%.3f %.3f" % (time.perf_counter() - start, cpu.ru_utime + cpu.ru_stime))
'

python_docx='
import sqlite3, sys
import docx
from docx.enum.table import WD_ALIGN_VERTICAL
from docx.enum.text import WD_ALIGN_PARAGRAPH
from docx.enum.section import WD_ORIENT
from docx.shared import Cm, Pt
db, out = sys.argv[1], sys.argv[2]
def name(c, t): return "(SELECT z_mc FROM T_DM_GRJBXX00_%s WHERE z_bm = %s) as %s" % (t, c, c)
items = ["trim(z_xm) as z_xm", "z_csrq", name("z_first_xl", "XL"), "z_first_bysj", name("z_first_sxzy", "SXZY"),
         name("z_last_xl", "XL"), "z_last_bysj", name("z_last_sxzy", "SXZY"),
         "((SELECT z_mc FROM T_DM_GRJBXX00_GZDW WHERE z_bm = z_yijzgbm) || "
         "(SELECT z_mc FROM T_DM_GRJBXX00_GZDW WHERE z_bm = z_gzdw)) as z_gzdw",
         "z_cjgzsj", name("z_cszy", "CSZY"), name("z_sbxl", "ZYJSZG"), name("z_sbzg", "ZYJSZG"),
         name("z_sbdj", "SBJB"), name("z_sbzy", "CSZY"), name("z_jsfs", "JSFS"), name("z_jsjcj", "ZCCJ"),
         name("z_wycj", "ZCCJ"), name("z_xrjszg", "ZYJSZG"), "z_xrjszgsj"]
rows = sqlite3.connect(db).execute(
    "select " + ",".join(items) + " from grjbxx00 where z_shbz=1 and (1=1) order by grjbxx00.z_sbxl,"
    "grjbxx00.z_sbzg,grjbxx00.z_sbdj,grjbxx00.z_sbzy,grjbxx00.z_gzdw").fetchall()
headings = [r[0] or "" for r in sqlite3.connect(db).execute(
    "select z_displayname from TABLEFIELD_NAME where z_fieldname in (%s)" % ",".join("?" * 20),
    [i.split(" as ")[-1].strip() for i in items])]
d = docx.Document()
s = d.sections[0]
s.page_width, s.page_height, s.orientation = Cm(42), Cm(29.7), WD_ORIENT.LANDSCAPE
s.left_margin = s.right_margin = Cm(2)
s.top_margin = s.bottom_margin = Cm(3)
def layout_row(texts):
    t = d.add_table(rows=1, cols=3)
    for c, text in zip(t.rows[0].cells, texts):
        r = c.paragraphs[0].add_run(text)
        r.font.size, r.font.underline = Pt(12), True
p = d.add_paragraph()
r = p.add_run("申报评审[高级][副高级][中级][初级]专业职务任职资格人员登记情况表")
r.font.size, r.bold, p.alignment = Pt(14), True, WD_ALIGN_PARAGRAPH.CENTER
layout_row(["设区市、厅(局):" + " " * 21, "送交" + " " * 23 + "评委会", "共%d人" % len(rows)])
d.add_paragraph()
columns = 21
t = d.add_table(rows=len(rows) + 1, cols=columns)
t.style = d.styles["Table Grid"]
grid = t._cells  # the fastest way python-docx offers to reach every cell
def put(i, text, centred):
    x = grid[i]
    if centred:
        x.vertical_alignment = WD_ALIGN_VERTICAL.CENTER
    x.text = text
    p = x.paragraphs[0]
    p.alignment = WD_ALIGN_PARAGRAPH.CENTER
    if p.runs:
        p.runs[0].font.size = Pt(8)
put(0, "序号", False)
for c, h in enumerate(headings):
    put(c + 1, h, True)
for k, row in enumerate(rows, 1):
    put(k * columns, str(k), False)
    for c, v in enumerate(row):
        put(k * columns + c + 1, "" if v is None else str(v), True)
d.add_paragraph()
layout_row(["设区市、厅(局)职改办签字(盖章):" + " " * 21, "省职改办意见" + " " * 23, "填表时间" + " " * 17])
d.save(out)
'

read -r ours ours_cpu < <("$python" -c "$timer" "$app/kvam-cli" --dir "$work/app" roster \
  --condition-file "$work/condition.sql" "$work/ours.docx")
read -r py py_cpu < <("$python" -c "$timer" "$python" -c "$python_docx" "$work/app/data/kvam.mdb" \
  "$work/python-docx.docx")

awk -v n="$n" -v ours="$ours" -v ours_cpu="$ours_cpu" -v py="$py" -v py_cpu="$py_cpu" 'BEGIN {
  printf "roster of %d applicants, from the database to the closed .docx:\n", n
  printf "  %-24s %7.2f s wall %7.2f s cpu\n", "kvam-cli roster", ours, ours_cpu
  printf "  %-24s %7.2f s wall %7.2f s cpu\n", "python-docx", py, py_cpu
  printf "  ratio python-docx / ours: %5.2f wall %5.2f cpu (target: at least 10)\n", py / ours, py_cpu / ours_cpu
}'
