#!/usr/bin/env bash
# The office writers against baselines run beside them:
#  - 100,000 rows x 44 text cells ("@") through our spreadsheet layer, against
#    libxlsxwriter writing the same cells directly (target: at most 1.5x) and
#    against python3-openpyxl in write-only mode (target: 5x faster or more);
#    peak resident memory of ours (target: under 300 MB);
#  - a table of 10,000 rows x 21 columns through our document writer, against
#    python3-docx building the same table (target: 10x faster or more).
# Each program times itself from its first cell to the closed file, in wall
# time and in processor time (the fairer figure on a machine shared with other
# work); ratios are given for both.
set -euo pipefail
app=${KVAM_BENCH_APP:?run through bench/run.sh}
bench="$app/../bench/bench-office"
rows=${ROWS:-100000}
columns=${COLUMNS_XLSX:-44}
table_rows=${TABLE_ROWS:-10000}
table_columns=${TABLE_COLUMNS:-21}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python=/usr/bin/python3

# The same texts as cellText() in bench-office.cpp.
cells='
names = ["张三", "李四", "王五", "赵六", "钱七", "孙八", "周九", "吴十"]
def cell(r, c):
    k = c % 4
    if k == 0: return "%018d" % (110101197001010000 + r)
    if k == 1: return names[(r + c) % 8]
    if k == 2: return "19%02d-%02d-%02d" % (70 + r % 30, 1 + r % 12, 1 + r % 28)
    return "某某市第%d中学" % (c + r % 50)
import resource, sys, time
rows, columns, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
def done(start, cpu):
    print("%.3f %.3f %.1f" % (time.perf_counter() - start, time.process_time() - cpu,
                              resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024))
'

openpyxl_writer="$cells"'
import openpyxl
start, cpu = time.perf_counter(), time.process_time()
wb = openpyxl.Workbook(write_only=True)
ws = wb.create_sheet("上报基本信息")
for r in range(rows):
    ws.append([cell(r, c) for c in range(columns)])
wb.save(out)
done(start, cpu)
'

# The fastest way python-docx offers to reach every cell: Table._cells once
# (table.cell() walks the whole table on each call).
docx_writer="$cells"'
import docx
from docx.enum.table import WD_ALIGN_VERTICAL
from docx.enum.text import WD_ALIGN_PARAGRAPH
from docx.shared import Pt
start, cpu = time.perf_counter(), time.process_time()
d = docx.Document()
t = d.add_table(rows=rows, cols=columns)
t.style = d.styles["Table Grid"]
grid = t._cells
for r in range(rows):
    for c in range(columns):
        x = grid[r * columns + c]
        x.vertical_alignment = WD_ALIGN_VERTICAL.CENTER
        x.text = cell(r, c)
        p = x.paragraphs[0]
        p.alignment = WD_ALIGN_PARAGRAPH.CENTER
        p.runs[0].font.size = Pt(8)
d.save(out)
done(start, cpu)
'

read -r ours ours_cpu ours_mb < <("$bench" xlsx-ours "$rows" "$columns" "$work/ours.xlsx")
read -r raw raw_cpu raw_mb < <("$bench" xlsx-raw "$rows" "$columns" "$work/raw.xlsx")
read -r py py_cpu py_mb < <("$python" -c "$openpyxl_writer" "$rows" "$columns" "$work/openpyxl.xlsx")
read -r docx docx_cpu docx_mb < <("$bench" docx-ours "$table_rows" "$table_columns" "$work/ours.docx")
read -r pydocx pydocx_cpu pydocx_mb < <("$python" -c "$docx_writer" "$table_rows" "$table_columns" "$work/python-docx.docx")

awk -v rows="$rows" -v cols="$columns" -v trows="$table_rows" -v tcols="$table_columns" \
    -v ours="$ours" -v ours_cpu="$ours_cpu" -v ours_mb="$ours_mb" \
    -v raw="$raw" -v raw_cpu="$raw_cpu" -v raw_mb="$raw_mb" \
    -v py="$py" -v py_cpu="$py_cpu" -v py_mb="$py_mb" \
    -v docx="$docx" -v docx_cpu="$docx_cpu" -v docx_mb="$docx_mb" \
    -v pydocx="$pydocx" -v pydocx_cpu="$pydocx_cpu" -v pydocx_mb="$pydocx_mb" 'BEGIN {
  line = "  %-24s %7.2f s wall %7.2f s cpu %7.1f MB peak\n"
  ratio = "  ratio %-27s %5.2f wall %5.2f cpu (target: %s)\n"
  printf "xlsx, %d rows x %d text cells:\n", rows, cols
  printf line, "ours (constant memory)", ours, ours_cpu, ours_mb
  printf line, "libxlsxwriter directly", raw, raw_cpu, raw_mb
  printf line, "openpyxl write-only", py, py_cpu, py_mb
  printf ratio, "ours / libxlsxwriter:", ours / raw, ours_cpu / raw_cpu, "at most 1.5"
  printf ratio, "openpyxl / ours:", py / ours, py_cpu / ours_cpu, "at least 5"
  printf "  peak memory of ours: %.1f MB (target: under 300 MB)\n", ours_mb
  printf "docx, one table of %d rows x %d cells:\n", trows, tcols
  printf line, "ours", docx, docx_cpu, docx_mb
  printf line, "python-docx", pydocx, pydocx_cpu, pydocx_mb
  printf ratio, "python-docx / ours:", pydocx / docx, pydocx_cpu / docx_cpu, "at least 10"
}'
