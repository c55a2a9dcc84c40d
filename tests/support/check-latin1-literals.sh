#!/bin/sh
# Fails on a Latin-1 literal holding Chinese text: it compiles, and then never
# equals the text it shows.
src=${1:?source folder}
hits=$(grep -rnP 'QLatin1(String|Char|StringView)\((u8)?["'"'"'][^"'"'"']*[^\x00-\x7F]' "$src" --include='*.cpp' --include='*.h')
if [ -n "$hits" ]; then
  echo "Latin-1 literals with non-ASCII text (use QStringLiteral):"
  echo "$hits"
  exit 1
fi
exit 0
