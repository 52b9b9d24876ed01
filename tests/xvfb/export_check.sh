#!/usr/bin/env bash
# The chart leaves the window in the real program: a right-click on the chart
# opens its menu, 保存图像… saves a PDF through the save dialog with a typed
# file name, and the saved page renders with the chart's grid where the
# window has it.
# Usage: export_check.sh IDCHART SHOT_DIR
set -euo pipefail

program=$(readlink -f "$1")
shots=$(mkdir -p "$2" && readlink -f "$2")
size=1366x768
here=$(dirname "$(readlink -f "$0")")

# shellcheck source=xvfb_session.sh
source "$here/xvfb_session.sh"

enter_main_window
generate_chart 101325 1 1
shot chart

pdf="$shots/saved-chart.pdf"
rm -f "$pdf"
# The menu opens where the right button is pressed; its first entry is 保存图像….
xdotool mousemove "$(px 5)" "$(py 120)" click 3
sleep 0.8
shot menu
xdotool key Down Return
wait_window "保存图像" 10
sleep 0.8
shot save-dialog
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 10 "$pdf"
xdotool key Return
for _ in $(seq 1 50); do
  [ -s "$pdf" ] && break
  sleep 0.2
done
[ -s "$pdf" ] || fail "no PDF was saved through the dialog"
[ "$(head -c 4 "$pdf")" = "%PDF" ] || fail "the saved file is not a PDF"
alive

# The page at 96 dots per inch is the chart's size in logical pixels: the
# grid line at d = 1 is dark where the window draws it, the background beside it.
pdftoppm -r 96 -png -singlefile -aa no -aaVector no "$pdf" "$shots/saved-page"
line=$(pixel saved-page "$(( $(px 1) - mx ))" "$(( $(py 137) - my ))")
[ "$line" = "0,0,0" ] || fail "no grid line at d = 1 on the saved page ($line)"
beside=$(pixel saved-page "$(( $(px 1) - mx + 3 ))" "$(( $(py 137) - my ))")
[ "$beside" = "255,224,192" ] || fail "no chart background beside the grid line on the saved page ($beside)"
echo "export check passed: $pdf"
