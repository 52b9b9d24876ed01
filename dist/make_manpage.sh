#!/usr/bin/env bash
# Writes the Chinese manual page idchart(1) from the program's own --help,
# --version and the --help of each command word (as listed under 命令： in the
# program's --help), gzip-compressed. The headings are Chinese; the help texts
# are the program's as they are, so the page always says what the program does.
# SOURCE_DATE_EPOCH, when set, fixes the page's date.
# Usage: make_manpage.sh PROGRAM "NAME LINE" OUT.1.gz
set -euo pipefail
export LC_ALL=C.UTF-8
program=$1 name=$2 out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

version=$("$program" --version | awk '{ print $NF }')
date=$(date -u -d "@${SOURCE_DATE_EPOCH:-$(date +%s)}" +%Y-%m-%d)

# One help text in roff: the usage line(s) as the synopsis, paragraphs as text,
# a paragraph whose first line ends in "：" as a list under that heading
# (entries "  term  description"). $1 is the heading macro (SH or SS) of the
# lists, $2 that of the synopsis ("" for none).
help_to_roff() {
  awk -v list_macro="$1" -v synopsis_macro="$2" '
    function escape(text) {
      gsub(/\\/, "\\e", text)
      gsub(/-/, "\\-", text)
      if (text ~ /^[.\x27]/) text = "\\&" text
      return text
    }
    BEGIN { state = "usage" }
    /^$/ { if (state == "usage") print ".fi"; state = "gap"; next }
    state == "usage" {
      if (NR == 1) {
        if (synopsis_macro != "") print "." synopsis_macro " 概述"
        print ".nf"
        sub(/^用法：/, "")
      }
      print escape($0)
      next
    }
    state == "gap" && /^[^ ].*：$/ {
      heading = $0; sub(/：$/, "", heading)
      print "." list_macro " " heading
      state = "list"; next
    }
    state == "gap" { print ".PP"; state = "text" }
    state == "list" && /^  / {
      line = $0; sub(/^ +/, "", line)
      term = line; sub(/  .*$/, "", term)
      text = substr(line, length(term) + 1); sub(/^ +/, "", text)
      print ".TP"; print "\\fB" escape(term) "\\fR"; print escape(text)
      next
    }
    { print escape($0) }
    END { if (state == "usage") print ".fi" }
  '
}

{
  echo ".TH IDCHART \"1\" \"$date\" \"idchart $version\" \"用户命令\""
  echo ".SH 名称"
  echo "idchart \\- $name"
  "$program" --help | help_to_roff SH SH | sed '0,/^\.PP$/s//.SH 描述/'
  mapfile -t words < <("$program" --help | awk '/^命令：/ { on = 1; next } on && /^$/ { exit } on { print $1 }')
  for word in "${words[@]}"; do
    echo ".SH \"idchart $word\""
    echo ".PP"
    echo "用法："
    "$program" "$word" --help | help_to_roff SS ""
  done
} >"$work/idchart.1"

# groff before 1.23 breaks lines only at blanks, which Chinese text lacks: mark
# a break point (\:) after the Chinese punctuation of filled text, and set the
# text ragged right, since a line without blanks cannot be stretched.
sed -e '/^\.TH /a .ad l' -e '/^\.nf/,/^\.fi/b' -e '/^[.]/b' -e 's/\([、。）：；，]\)/\1\\:/g' "$work/idchart.1" \
  | gzip -9nc >"$out"
