#!/usr/bin/env bash
# The chart on a high-resolution screen: the real program at Qt's scale factor
# 2 on a 3840 x 2160 screen (1920 x 1080 logical pixels) generates the chart;
# a grid line must be sharp, drawn at device resolution: the device pixels
# beside it are the chart's background, not a blend of line and background.
# Usage: scaled_chart_check.sh IDCHART SHOT_DIR
set -euo pipefail

program=$(readlink -f "$1")
shots=$(mkdir -p "$2" && readlink -f "$2")
size=3840x2160
scale=2
here=$(dirname "$(readlink -f "$0")")

# shellcheck source=xvfb_session.sh
source "$here/xvfb_session.sh"

enter_main_window
generate_chart 101325 0.05 2
shot chart
convert "$shots/chart.png" -crop 1200x800+0+0 +repage "$shots/chart-crop.png"

# The vertical grid line at d = 1 high up on the chart, between the i lines
# where nothing else is drawn: a run of black device pixels with the
# background on both sides.
row=$(pixels chart "24x1+$(( $(px 1) - 12 ))+$(py 137)")
first=$(grep -n '^0,0,0$' <<<"$row" | head -n 1 | cut -d: -f1)
last=$(grep -n '^0,0,0$' <<<"$row" | tail -n 1 | cut -d: -f1)
[ -n "$first" ] && [ "$first" -gt 1 ] && [ "$last" -lt 24 ] \
  || fail "no grid line at d = 1: $(tr '\n' ' ' <<<"$row")"
before=$(sed -n "$(( first - 1 ))p" <<<"$row")
after=$(sed -n "$(( last + 1 ))p" <<<"$row")
[ "$before" = "255,224,192" ] && [ "$after" = "255,224,192" ] \
  || fail "the grid line at d = 1 is blurred: beside it $before and $after, not the background"
# Curves and labels drawn at logical resolution and enlarged are made of
# 2 x 2 blocks of equal pixels: taking every second pixel and doubling it
# gives the same picture back. Drawn at device resolution, slanting curves
# step by single pixels and text has finer edges, so thousands of pixels of
# the upper-left chart area differ.
convert "$shots/chart.png" -crop 1600x1200+0+0 +repage "$shots/area.png"
convert "$shots/area.png" -sample 50% -sample 200% "$shots/area-blocks.png"
finer=$(convert "$shots/area.png" "$shots/area-blocks.png" -compose difference -composite \
          -colorspace Gray -threshold 0 -format "%[fx:int(w*h*mean)]" info:)
[ "$finer" -gt 1000 ] \
  || fail "the chart is drawn at logical resolution and enlarged ($finer pixels finer than 2 x 2 blocks)"
echo "scaled chart check passed ($size at scale factor $scale)"
