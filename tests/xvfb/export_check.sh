#!/usr/bin/env bash
# The chart leaves the window in the real program: a right-click on the chart
# opens its menu, 保存图像… saves a PDF through the save dialog with a typed
# file name, and the saved page renders with the chart's grid where the
# window has it. After a calculation a PNG saved at the window's size is the
# window's chart area pixel for pixel, the result and state boxes included.
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

# Saves the picture through the chart's menu under a typed name. The menu
# opens where the right button is pressed; its first entry is 保存图像….
save_through_menu() { # file, screenshot prefix
  rm -f "$1"
  xdotool mousemove "$(px 5)" "$(py 120)" click 3
  sleep 0.8
  shot "$2-menu"
  xdotool key Down Return
  wait_window "保存图像" 10
  sleep 0.8
  shot "$2-save-dialog"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 10 "$1"
  xdotool key Return
  for _ in $(seq 1 50); do
    [ -s "$1" ] && break
    sleep 0.2
  done
  [ -s "$1" ] || fail "no $2 was saved through the dialog"
  sleep 0.5
}

pdf="$shots/saved-chart.pdf"
save_through_menu "$pdf" pdf
[ "$(head -c 4 "$pdf")" = "%PDF" ] || fail "the saved file is not a PDF"
alive

# The page at 96 dots per inch is the chart's size in logical pixels: the
# grid line at d = 1 is dark where the window draws it, the background beside it.
pdftoppm -r 96 -png -singlefile -aa no -aaVector no "$pdf" "$shots/saved-page"
line=$(pixel saved-page "$(( $(px 1) - mx ))" "$(( $(py 137) - my ))")
[ "$line" = "0,0,0" ] || fail "no grid line at d = 1 on the saved page ($line)"
beside=$(pixel saved-page "$(( $(px 1) - mx + 3 ))" "$(( $(py 137) - my ))")
[ "$beside" = "255,224,192" ] || fail "no chart background beside the grid line on the saved page ($beside)"

compute_primary_with_start_texts
alive
png="$shots/saved-chart.png"
save_through_menu "$png" png
shot computed
# The PNG (×1, the dialog's first type) against the chart area of the screen.
read -r pw ph <<<"$(identify -format '%w %h' "$png")"
convert "$shots/computed.png" -crop "${pw}x${ph}+${mx}+${my}" +repage "$shots/computed-chart.png"
differing=$(compare -metric AE "$png" "$shots/computed-chart.png" "$shots/png-difference.png" 2>&1 || true)
[ "$differing" = "0" ] || fail "the saved PNG differs from the window's chart area in $differing pixels (png-difference.png)"
# The result boxes hold numbers: dark text in the first one.
box=$(convert "$png" -crop "$(( pw / 10 - 8 ))x$(( ph / 20 - 8 ))+$(( pw * 8 / 10 + 4 ))+$(( ph / 2 + 4 ))" \
        -threshold 50% -format "%[fx:int(w*h*(1-mean))]" info:)
[ "$box" -gt 10 ] || fail "the first result box is empty on the saved PNG ($box dark pixels)"
echo "export check passed: $pdf $png"
