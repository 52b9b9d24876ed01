#!/usr/bin/env bash
# The calculation sheet leaves the real program: 生成计算书… is greyed out in
# the chart's menu before a calculation; after 一次回风 (start texts, OK) and
# 计算并描点 the menu's entry writes a PDF through the save dialog with a
# typed file name; its pages are rendered for a reader to look at: A4
# portrait text pages, then two landscape pages: the region of the process
# enlarged, and the whole chart with the process.
# Usage: sheet_check.sh IDCHART SHOT_DIR
set -euo pipefail

program=$(readlink -f "$1")
shots=$(mkdir -p "$2" && readlink -f "$2")
size=1366x768
here=$(dirname "$(readlink -f "$0")")

# shellcheck source=xvfb_session.sh
source "$here/xvfb_session.sh"

enter_main_window
generate_chart 101325 1 1

# The menu's sixth entry is 生成计算书…; before a calculation it is disabled,
# so Ctrl+R writes nothing.
# An ASCII name: typing Chinese through xdotool depends on the X keymap.
sheet="$shots/calculation-sheet.pdf"
rm -f "$sheet"
xdotool mousemove "$(px 5)" "$(py 120)" click 3
sleep 0.8
shot menu-before
xdotool key Escape
sleep 0.3
xdotool key ctrl+r
sleep 1
[ -z "$(window_id "生成计算书")" ] || fail "生成计算书 opened before a calculation"

compute_primary_with_start_texts
alive

xdotool mousemove "$(px 5)" "$(py 120)" click 3
sleep 0.8
shot menu-after
for _ in 1 2 3 4 5 6; do xdotool key Down; done
xdotool key Return
wait_window "生成计算书" 10
sleep 0.8
shot sheet-dialog
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 10 "$sheet"
xdotool key Return
for _ in $(seq 1 50); do
  [ -s "$sheet" ] && break
  sleep 0.2
done
[ -s "$sheet" ] || fail "no sheet was written through the dialog"
sleep 0.5
alive
[ "$(head -c 4 "$sheet")" = "%PDF" ] || fail "the sheet is not a PDF"
pdftoppm -r 80 -png "$sheet" "$shots/sheet-page"
pages=$(pdfinfo "$sheet" | awk '/^Pages:/ {print $2}')
for page in $((pages - 1)) "$pages"; do
  pdfinfo -f 1 -l "$pages" "$sheet" | grep -q "Page *$page size: *842 x 595" \
    || fail "page $page of $pages is not landscape A4"
done
pdftotext -f $((pages - 1)) -l $((pages - 1)) "$sheet" - | grep -q "过程线所在区域" \
  || fail "the page before the whole chart is not the process region"
! pdffonts "$sheet" | awk 'NR > 2 && $(NF - 4) != "yes"' | grep -q . || fail "a font is not embedded"
echo "sheet check passed: $sheet ($pages pages, $shots/sheet-page-*.png)"
