#!/usr/bin/env bash
# Converts sample documents of our writers (a roster, two notices, a
# statistics workbook) to PDF with LibreOffice headless, checks the text of
# the pages, and leaves PDF and PNG pages to look at. Not part of ctest.
#   tests/office/libreoffice-check.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
out=${2:-$(mktemp -d)}
mkdir -p "$out"

soffice=$(command -v soffice || command -v libreoffice || true)
if [ -z "$soffice" ]; then
  echo "libreoffice-check: LibreOffice is not installed; skipped"
  exit 0
fi
writer="$build/tests/write-office-sample"
[ -x "$writer" ] || { echo "libreoffice-check: build $writer first (ninja -C $build)"; exit 1; }

"$writer" "$out"
# A profile of its own, so a running LibreOffice of the user is not disturbed.
"$soffice" -env:UserInstallation=file://"$out"/profile --headless --convert-to pdf --outdir "$out" \
  "$out/roster.docx" "$out/notices.docx" "$out/statistics.xlsx" >/dev/null 2>&1

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
for f in roster notices statistics; do
  [ -s "$out/$f.pdf" ] || { echo "FAIL no $f.pdf"; failures=$((failures + 1)); }
done
check roster.pdf "申报评审[高级][副高级][中级][初级]专业职务任职资格人员登记情况表"
check roster.pdf "第2页/共"
check notices.pdf "关于王五等3名同志中小学教师专业技术职务任职资格的通知"
check statistics.pdf "110101199001011234"
check statistics.pdf "11010119900101123X"

if command -v pdftoppm >/dev/null && command -v pdfinfo >/dev/null; then
  for f in roster notices statistics; do
    [ -s "$out/$f.pdf" ] || continue
    echo "$f.pdf: $(pdfinfo "$out/$f.pdf" | awk '/^Pages:/ {print $2}') pages, $(pdfinfo "$out/$f.pdf" | awk -F': *' '/^Page size:/ {print $2}')"
    pdftoppm -r 50 -png "$out/$f.pdf" "$out/$f"
  done
fi
echo "pages to look at: $out"
[ "$failures" -eq 0 ]
