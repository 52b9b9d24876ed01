#!/usr/bin/env bash
# A state point typed through the real program: a right-click on the chart
# opens its menu, 标注状态点… its dialog, where 32 ℃ and 65 % are typed and
# confirmed. The blue dot is on the screen where the state command puts the
# state (d, i), and a PNG saved through the chart's menu shows it there too.
# Usage: state_point_check.sh IDCHART SHOT_DIR
set -euo pipefail

program=$(readlink -f "$1")
shots=$(mkdir -p "$2" && readlink -f "$2")
size=1366x768
here=$(dirname "$(readlink -f "$0")")

# shellcheck source=xvfb_session.sh
source "$here/xvfb_session.sh"

# The state's d and i as the state command computes them.
state=$(QT_QPA_PLATFORM=offscreen "$program" state --t 32 --phi 65 --pressure 101325 --format json)
value() { sed -E "s/.*\"$1\": ([-0-9.eE]+).*/\1/" <<<"$state"; }
d=$(value d)
i=$(value i)
[ -n "$d" ] && [ -n "$i" ] || fail "no d and i from the state command: $state"

enter_main_window
generate_chart 101325 1 1
shot chart

# The chart's menu where the right button is pressed, its last enabled entry
# (the first from the bottom) being 标注状态点….
xdotool mousemove "$(px 5)" "$(py 120)" click 3
sleep 0.8
shot point-menu
xdotool key Up Return
wait_window "标注状态点" 10
sleep 0.5
shot point-dialog
# The first value box has the focus; the second is two tabs on, past its choice.
xdotool type --delay 20 "32"
xdotool key Tab Tab
xdotool type --delay 20 "65"
sleep 0.3
shot point-typed
xdotool key Return
wait_gone "标注状态点" 10
sleep 0.5
alive
shot point

# The dot's centre on the screen, and the name printed to its right.
dot=$(pixel point "$(px "$d")" "$(py "$i")")
[ "$dot" = "0,0,255" ] || fail "no blue dot at d = $d, i = $i ($dot) (point.png)"
# Pixels of the name: blue well above their red and green (the name's smoothed
# edges included, the chart's magenta and black lines not).
name=$(convert "$shots/point.png" -crop "30x20+$(( $(px "$d") + 6 ))+$(( $(py "$i") - 10 ))" \
         -fx "b - max(r, g) > 0.3" -format "%[fx:int(w*h*mean)]" info: | tail -n 1)
[ "$name" -gt 5 ] || fail "no blue name beside the dot ($name blue pixels) (point.png)"

# The pointer resting on the dot: a tool tip with the point's name and values
# (point-tooltip.png), the readout below the chart as ever.
xdotool windowfocus --sync "$(window_id "焓湿图")" 2>/dev/null || true
xdotool mousemove "$(px "$d")" "$(py "$i")"
sleep 0.3
xdotool mousemove "$(( $(px "$d") + 1 ))" "$(py "$i")"
sleep 1.5
shot point-tooltip
tip_area="200x40+$(( $(px "$d") + 10 ))+$(( $(py "$i") + 25 ))"
convert "$shots/point.png" -crop "$tip_area" +repage "$shots/tip-before.png"
convert "$shots/point-tooltip.png" -crop "$tip_area" +repage "$shots/tip-after.png"
changed=$(compare -metric AE "$shots/tip-before.png" "$shots/tip-after.png" null: 2>&1 || true)
[ "$changed" -gt 500 ] || fail "no tool tip under the pointer on the dot ($changed pixels changed) (point-tooltip.png)"

# 保存图像… through the menu, away from the dot: the first entry, a PNG at the
# window's size, in which the dot is where the window has it.
png="$shots/state-point.png"
rm -f "$png"
xdotool mousemove "$(px 5)" "$(py 120)" click 3
sleep 0.8
xdotool key Down Return
wait_window "保存图像" 10
sleep 0.8
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 10 "$png"
xdotool key Return
for _ in $(seq 1 50); do
  [ -s "$png" ] && break
  sleep 0.2
done
[ -s "$png" ] || fail "no PNG was saved through the dialog"
saved=$(pixel state-point "$(( $(px "$d") - mx ))" "$(( $(py "$i") - my ))")
[ "$saved" = "0,0,255" ] || fail "no blue dot on the saved PNG ($saved)"
alive
echo "state point check passed: d = $d, i = $i, $png"
