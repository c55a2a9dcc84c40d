#!/usr/bin/env bash
# Writes the office documents with kvam-cli from a small sample database (a
# roster, notices, a statistics workbook and the record list), converts them
# to PDF with LibreOffice headless, checks the text of the pages, and leaves
# PDF and PNG pages to look at. Not part of ctest.
#   tests/office/libreoffice-check.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
out=$(realpath -m "${2:-$(mktemp -d)}")
mkdir -p "$out"

soffice=$(command -v soffice || command -v libreoffice || true)
if [ -z "$soffice" ]; then
  echo "libreoffice-check: LibreOffice is not installed; skipped"
  exit 0
fi
cli="$build/app/kvam-cli"
[ -x "$cli" ] || { echo "libreoffice-check: build $cli first (ninja -C $build)"; exit 1; }

dir="$out/app"
"$cli" --dir "$dir" init --force --applicants 200 >/dev/null
printf ' 1=1 \r\n' > "$dir/querycon.sql"
db="$dir/data/kvam.mdb"
# The notices of the unit and series with the most fully passed applicants.
IFS='|' read -r unit child series named < <(sqlite3 "$db" "
  select z_yijzgbm, z_erjzgbm, z_sbxl, count(*) from grjbxx00
  where z_shbz = 1 and z_psbz = 1 and z_zkbz = 1
  group by 1, 2, 3 order by 4 desc, 1, 2, 3 limit 1")
first=$(sqlite3 "$db" "select trim(z_xm) from grjbxx00 order by z_zjhm limit 1")

"$cli" --dir "$dir" roster "$out/roster.docx" 2>/dev/null
"$cli" --dir "$dir" notice --unit "$unit" --units "$child" --series "$series" "$out/notices.docx" 2>/dev/null
"$cli" --dir "$dir" stats --flag psbz --statistic 0 --xlsx "$out/statistics.xlsx" >/dev/null 2>&1
"$cli" --dir "$dir" list-xlsx "$out/list.xlsx" 2>/dev/null

files=(roster notices statistics list)
# A profile of its own, so a running LibreOffice of the user is not disturbed.
"$soffice" -env:UserInstallation=file://"$out"/profile --headless --convert-to pdf --outdir "$out" \
  "$out/roster.docx" "$out/notices.docx" "$out/statistics.xlsx" "$out/list.xlsx" >/dev/null 2>&1

failures=0
check() { # file, text the pages must hold
  if command -v pdftotext >/dev/null; then
    if pdftotext "$out/$1" - | tr -d ' \n' | grep -qF "$2"; then
      echo "ok   $1: $2"
    else
      echo "FAIL $1 lacks: $2"; failures=$((failures + 1))
    fi
  fi
}
for f in "${files[@]}"; do
  [ -s "$out/$f.pdf" ] || { echo "FAIL no $f.pdf"; failures=$((failures + 1)); }
done
check roster.pdf "申报评审[高级][副高级][中级][初级]专业职务任职资格人员登记情况表"
check roster.pdf "第2页/共"
check notices.pdf "等${named}名同志"
check notices.pdf "专业技术职务任职资格的通知"
check statistics.pdf "合计"
check list.pdf "证件号码"
check list.pdf "$first"

if command -v pdftoppm >/dev/null && command -v pdfinfo >/dev/null; then
  for f in "${files[@]}"; do
    [ -s "$out/$f.pdf" ] || continue
    echo "$f.pdf: $(pdfinfo "$out/$f.pdf" | awk '/^Pages:/ {print $2}') pages, $(pdfinfo "$out/$f.pdf" | awk -F': *' '/^Page size:/ {print $2}')"
    pdftoppm -r 50 -png "$out/$f.pdf" "$out/$f"
  done
fi
echo "pages to look at: $out"
[ "$failures" -eq 0 ]
