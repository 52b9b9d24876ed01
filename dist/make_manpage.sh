#!/usr/bin/env bash
# Makes the manual page from the program's own --help and --version with
# help2man, and adds the --help of each command word (as listed under 命令： in
# the program's --help) as a section of its own. Writes it gzip-compressed.
# SOURCE_DATE_EPOCH, when set, fixes the page's date.
# Usage: make_manpage.sh PROGRAM INCLUDE.h2m OUT.1.gz
set -euo pipefail
program=$1 include=$2 out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$include" "$work/idchart.h2m"
mapfile -t words < <("$program" --help | awk '/^命令：/ { on = 1; next } on && /^$/ { exit } on { print $1 }')
if [ ${#words[@]} -gt 0 ]; then
  {
    echo "[COMMANDS]"
    for word in "${words[@]}"; do
      echo ".SS \"idchart $word\""
      echo ".nf"
      # The text as written: backslashes and leading dots are roff syntax.
      "$program" "$word" --help | sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"
      echo ".fi"
    done
  } >>"$work/idchart.h2m"
fi
# The help is UTF-8; help2man reads it as such only in a UTF-8 locale.
LC_ALL=C.UTF-8 help2man --locale=C.UTF-8 --no-info --include "$work/idchart.h2m" \
  --output "$work/idchart.1" "$program"
# groff before 1.23 breaks lines only at blanks, which Chinese text lacks: mark
# a break point (\:) after the Chinese punctuation of filled text, and set the
# text ragged right, since a line without blanks cannot be stretched.
sed -e '/^\.TH /a .ad l' -e '/^\.nf/,/^\.fi/b' -e '/^[.]/b' -e 's/\([、。）：；，]\)/\1\\:/g' "$work/idchart.1" \
  | gzip -9nc >"$out"
