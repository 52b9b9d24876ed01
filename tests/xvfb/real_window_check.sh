#!/usr/bin/env bash
# A user's journey through the real program in a real X server (Xvfb), driven
# with xdotool: waits for the splash's button and clicks it, generates the
# chart typing the answers to both prompts, moves the pointer over the chart,
# types a changed parameter set into the parameter dialog, computes, and
# checks pixels and readout cells on screenshots; then visits the note and the
# secondary-return-air dialog and comes back.
# Usage: real_window_check.sh IDCHART PROCESS_STATES SHOT_DIR [WxH]
# PROCESS_STATES prints d_n i_n d_L i_L for a parameter set, so the dots can be
# looked for where the calculation puts them.
set -euo pipefail

program=$(readlink -f "$1")
states=$(readlink -f "$2")
shots=$(mkdir -p "$3" && readlink -f "$3")
size=${4:-1920x1080}
here=$(dirname "$(readlink -f "$0")")

# shellcheck source=xvfb_session.sh
source "$here/xvfb_session.sh"


enter_main_window

# Generate the chart, typing both answers.
click "$(bx 0)" "$by"
type_answer "大气压" "101325"
type_answer "绘图精度" "0.05"
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

# Parameters: type a changed set into the dialog (tn 27, tw 33, s 20) and compute.
click "$(bx 3)" "$by"
wait_window "一次回风参数设定" 10
dialog_x=$(awk -v w="$width" 'BEGIN{printf "%d", w*0.3}')
dialog_y=$(awk -v h="$height" 'BEGIN{printf "%d", h*0.3}')
dialog_w=$(awk -v w="$width" 'BEGIN{printf "%d", w*0.5}')
dialog_h=$(awk -v h="$height" 'BEGIN{printf "%d", h*0.4}')
type_into_box() { # row n of the left column, text
  click $(( dialog_x + dialog_w * 35 / 100 )) \
        "$(awk -v y="$dialog_y" -v h="$dialog_h" -v n="$1" 'BEGIN{printf "%d", y + h*(0.045 + 0.1*(n-1))}')"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "$2"
}
type_into_box 1 27
type_into_box 3 33
type_into_box 6 20
sleep 0.3
shot parameters
click $(( dialog_x + dialog_w * 7 / 10 )) $(( dialog_y + dialog_h * 55 / 100 ))
sleep 0.8
click "$(bx 2)" "$by"
sleep 2
shot computed
alive

# N is a red dot and L a black one where the calculation puts them.
read -r d_n i_n d_L i_L < <("$states" 27 60 33 26.5 6 20 95 12 0.01 101325)
echo "N ($d_n, $i_n), L ($d_L, $i_L)"
[ "$(pixel computed "$(px "$d_n")" "$(py "$i_n")")" = "255,0,0" ] || fail "no red dot at N ($(pixel computed "$(px "$d_n")" "$(py "$i_n")"))"
[ "$(pixel computed "$(px "$d_L")" "$(py "$i_L")")" = "0,0,0" ] || fail "no black dot at L ($(pixel computed "$(px "$d_L")" "$(py "$i_L")"))"

# The note and the secondary-return-air dialog; each one's button has the
# focus, so the space bar leads back to the main window.
click "$(bx 5)" "$by"
wait_window "作者的话" 10
sleep 0.5
shot note
xdotool key space
sleep 0.8
click "$(bx 4)" "$by"
wait_window "二次回风参数设定" 10
sleep 0.3
shot secondary
xdotool key space
sleep 0.8
shot back
alive
echo "real window check passed ($size)"
