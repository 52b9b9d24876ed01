#!/usr/bin/env bash
# Printing in the real program stays on the chart: after a calculation,
# Ctrl+P opens the print preview, its Print button the print dialog, which
# prints to a PDF file; the page, rendered, has ink only inside the chart's
# rectangle (the chart's back colour marks it), none in the page margins.
# Usage: print_check.sh IDCHART SHOT_DIR
set -euo pipefail

program=$(readlink -f "$1")
shots=$(mkdir -p "$2" && readlink -f "$2")
size=1366x768
here=$(dirname "$(readlink -f "$0")")

# The print dialog offers the file its own way: in the current folder under
# the home folder, named after the document. Both are this run's own, and no
# print server is asked for printers, so printing to a PDF file is the choice.
home=$(mktemp -d)
export HOME=$home
export CUPS_SERVER=/nonexistent/cups.sock
cd "$home"

# shellcheck source=xvfb_session.sh
source "$here/xvfb_session.sh"
trap 'cleanup; rm -rf "$home"' EXIT

enter_main_window
generate_chart 101325 1 1
compute_primary_with_start_texts
shot computed
alive

xdotool key --clearmodifiers ctrl+p
wait_window "打印预览" 10
sleep 1.5
shot preview
# The preview's Print button is the last one of its tool bar: the right end
# of what stands out from the tool bar's background, at the top of the dialog.
read -r x y w _ <<<"$(client_rect "$(window_id "打印预览")")"
band="${w}x28+${x}+$(( y + 4 ))"
trimmed=$(convert "$shots/preview.png" -crop "$band" +repage -fuzz 8% -trim -format "%w %h %X %Y" info:)
read -r tw th tx ty <<<"$trimmed"
[ "$tw" -gt 100 ] || fail "no tool bar at the top of the print preview ($trimmed)"
click $(( x + ${tx#+} + tw - 10 )) $(( y + 4 + ${ty#+} + th / 2 ))
sleep 1.5
shot print-dialog
# The print dialog's default button prints.
xdotool key Return
pdf=""
for _ in $(seq 1 50); do
  pdf=$(find "$home" -maxdepth 1 -name '*.pdf' -size +0 | head -n 1)
  [ -n "$pdf" ] && break
  sleep 0.2
done
[ -n "$pdf" ] || fail "nothing was printed to a PDF file (print-dialog.png)"
sleep 0.5
alive
cp "$pdf" "$shots/printed.pdf"

# The page at 72 dots per inch: the chart's rectangle is the extent of its
# back colour; all ink must lie within it (a pixel's edge of tolerance).
pdftoppm -r 72 -png -singlefile "$shots/printed.pdf" "$shots/printed-page"
page="$shots/printed-page.png"
read -r cw ch cx cy <<<"$(convert "$page" -fuzz 3% -fill black -opaque 'rgb(255,224,192)' \
  -fill white +opaque black -negate -trim -format '%w %h %X %Y' info:)"
read -r iw ih ix iy <<<"$(convert "$page" -fuzz 3% -trim -format '%w %h %X %Y' info:)"
cx=${cx#+}; cy=${cy#+}; ix=${ix#+}; iy=${iy#+}
echo "chart ${cw}x${ch}+${cx}+${cy}, ink ${iw}x${ih}+${ix}+${iy}"
[ "$cw" -gt 200 ] && [ "$ch" -gt 100 ] || fail "no chart on the printed page"
[ "$ix" -ge $(( cx - 1 )) ] && [ "$iy" -ge $(( cy - 1 )) ] \
  && [ $(( ix + iw )) -le $(( cx + cw + 1 )) ] && [ $(( iy + ih )) -le $(( cy + ch + 1 )) ] \
  || fail "ink outside the chart's rectangle on the printed page (printed-page.png)"
echo "print check passed: $shots/printed.pdf"
