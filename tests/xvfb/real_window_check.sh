#!/usr/bin/env bash
# Drives the real program in a real X server (Xvfb) with xdotool: clicks
# through the splash, generates the chart with the default answers, moves the
# pointer over the chart, runs the default calculation, and checks pixels and
# readout cells on screenshots. Usage: real_window_check.sh IDCHART SHOT_DIR [WxH]
set -euo pipefail

program=$(readlink -f "$1")
shots=$(mkdir -p "$2" && readlink -f "$2")
size=${3:-1920x1080}
width=${size%x*}
height=${size#*x}
here=$(dirname "$(readlink -f "$0")")

for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime

# A free display number, reported by Xvfb itself.
exec 3< <(Xvfb -displayfd 1 -screen 0 "${size}x24" -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r display <&3
export DISPLAY=":$display"
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }
shot() { import -window root "$shots/$1.png"; echo "screenshot $shots/$1.png"; }
# Prints the colour of one pixel of a screenshot as "r,g,b".
pixel() {
  convert "$shots/$1.png" -crop "1x1+$2+$3" -depth 8 txt:- | tail -n 1 \
    | sed -E 's/.*\(([0-9.]+),([0-9.]+),([0-9.]+).*/\1,\2,\3/' | awk -F, '{printf "%d,%d,%d\n",$1,$2,$3}'
}
alive() { kill -0 "$app_pid" 2>/dev/null || fail "the program is no longer running"; }
wait_window() { # name, seconds
  for _ in $(seq 1 $(( $2 * 10 ))); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "no window named $1"
}
type_answer() { # window name, text: replace the field's text and confirm
  wait_window "$1" 10
  local id
  id=$(xdotool search --onlyvisible --name "$1" | head -n 1)
  xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
  sleep 0.3
  xdotool key --clearmodifiers ctrl+a
  [ -n "$2" ] && xdotool type --delay 20 "$2"
  xdotool key Return
  sleep 0.5
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }

"$program" >"$shots/program.log" 2>&1 &
app_pid=$!

# Geometry, as the program computes it: no window manager, so no frames.
FH=$(awk -v h="$height" 'BEGIN{printf "%d", h*0.95 + 0.5}')
FW=$width
PH=$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.8 + 0.5}')
bx() { awk -v w="$FW" -v k="$1" 'BEGIN{printf "%d", w*(0.015 + 0.13*k + 0.06)}'; }
by=$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.925}')
px() { awk -v w="$FW" -v d="$1" 'BEGIN{printf "%d", w*d/42}'; }
py() { awk -v h="$PH" -v i="$1" 'BEGIN{printf "%d", h*(145-i)/175}'; }

# Splash: the OK button comes after the animation (about 2.5 s).
wait_window "焓湿图" 20
sleep 1.2
shot splash-animating
sleep 2.5
shot splash-finished
alive
click "$(awk -v w="$FW" 'BEGIN{printf "%d", w*0.225}')" "$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.825}')"
sleep 1

# Generate the chart, confirming both prompts' defaults.
click "$(bx 0)" "$by"
type_answer "大气压" ""
type_answer "绘图精度" ""
sleep 1.5
alive

# Readout: move the pointer over the chart at d = 10, i = 50.
xdotool mousemove "$(px 10)" "$(py 50)"
sleep 0.2
xdotool mousemove "$(( $(px 10) + 1 ))" "$(py 50)"
sleep 0.8
shot chart
alive

# The grid: a black vertical line at d = 1 high up on the chart where
# nothing else is drawn, the chart's back colour beside it.
[ "$(pixel chart "$(px 1)" "$(py 140)")" = "0,0,0" ] || fail "no grid line at d = 1 ($(pixel chart "$(px 1)" "$(py 140)"))"
[ "$(pixel chart $(( $(px 1) + 3 )) "$(py 137)")" = "255,224,192" ] || fail "chart background missing"
# The readout row is filled: its value cells hold dark text on light blue.
row=$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.85 + 2}')
band=$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.05 - 4}')
dark=$(convert "$shots/chart.png" -crop "$(awk -v w="$FW" 'BEGIN{printf "%dx", w*0.9}')${band}+0+${row}" \
        -threshold 50% -format "%[fx:int(w*h*(1-mean))]" info:)
[ "$dark" -gt 20 ] || fail "the readout cells are empty ($dark dark pixels)"

# Parameters: open the dialog, confirm the start texts, compute.
click "$(bx 3)" "$by"
wait_window "一次回风参数设定" 10
shot parameters
dialog_x=$(awk -v w="$width" 'BEGIN{printf "%d", w*0.3}')
dialog_y=$(awk -v h="$height" 'BEGIN{printf "%d", h*0.3}')
dialog_w=$(awk -v w="$width" 'BEGIN{printf "%d", w*0.5}')
dialog_h=$(awk -v h="$height" 'BEGIN{printf "%d", h*0.4}')
click $(( dialog_x + dialog_w * 7 / 10 )) $(( dialog_y + dialog_h * 55 / 100 ))
sleep 0.8
click "$(bx 2)" "$by"
sleep 2
shot computed
alive

# N (12.64, 58.33) is a red dot, L (12.634, 50.56) a black one.
[ "$(pixel computed "$(px 12.64)" "$(py 58.33)")" = "255,0,0" ] || fail "no red dot at N ($(pixel computed "$(px 12.64)" "$(py 58.33)"))"
[ "$(pixel computed "$(px 12.634)" "$(py 50.56)")" = "0,0,0" ] || fail "no black dot at L ($(pixel computed "$(px 12.634)" "$(py 50.56)"))"

# Both auxiliary dialogs.
click "$(bx 4)" "$by"; wait_window "二次回风参数设定" 10; shot secondary
alive
echo "real window check passed ($size)"
