#!/usr/bin/env bash
# A user's journey through the real program in a real X server (Xvfb), driven
# with xdotool, without a window manager or under one: waits for the splash's
# button and clicks it, generates the chart typing the answers to both
# prompts, moves the pointer over the chart, types a changed parameter set
# into the parameter dialog, computes, and checks pixels and readout cells on
# screenshots; closes the parameter dialog by its close box and opens it again
# REOPENINGS times; then visits the help and the secondary-return-air dialog
# and comes back, and computes the winter design through 冬季工况. The outer frame of every window is checked at every opening.
# Usage: real_window_check.sh IDCHART PROCESS_STATES CLOSE_REQUEST SHOT_DIR
#                             [WxH [none|openbox [REOPENINGS]]]
# PROCESS_STATES prints d_n i_n d_L i_L for a parameter set, so the dots can be
# looked for where the calculation puts them; CLOSE_REQUEST asks a window to
# close as its close box does (needed without a window manager).
set -euo pipefail

program=$(readlink -f "$1")
states=$(readlink -f "$2")
close_request=$(readlink -f "$3")
shots=$(mkdir -p "$4" && readlink -f "$4")
size=${5:-1920x1080}
wm=${6:-none}
reopenings=${7:-30}
here=$(dirname "$(readlink -f "$0")")

# shellcheck source=xvfb_session.sh
source "$here/xvfb_session.sh"

enter_main_window

# Generate the chart, typing both answers.
generate_chart 101325 0.05 1.5

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
row=$(( my + $(awk -v h="$FH" 'BEGIN{printf "%d", h*0.85 + 2}') ))
band=$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.05 - 4}')
dark=$(convert "$shots/chart.png" -crop "$(awk -v w="$FW" 'BEGIN{printf "%dx", w*0.9}')${band}+${mx}+${row}" \
        -threshold 50% -format "%[fx:int(w*h*(1-mean))]" info:)
[ "$dark" -gt 20 ] || fail "the readout cells are empty ($dark dark pixels)"
# The i scale's negative numbers keep their minus sign: each number is
# printed with its top-left corner at (40, i); its sign takes the first few
# pixels right of the d = 40 grid line, in the middle of the text's height,
# where nothing else dark is drawn.
# The rest of the journey goes on without them; the check fails at its end.
lost_signs=""
for i in -5 -10 -15; do
  ink=$(convert "$shots/chart.png" -crop "4x7+$(( $(px 40) + 2 ))+$(( $(py "$i") + 4 ))" \
          -colorspace Gray -threshold 60% -format "%[fx:int(w*h*(1-mean))]" info:)
  [ "$ink" -ge 2 ] || lost_signs+=" $i"
done

# Parameters: type a changed set into the dialog (tn 27, tw 33, s 20) and compute.
# The dialog's controls count from its client area, in proportion to its
# outer frame.
read -r _ _ dialog_w dialog_h <<<"$dialog_frame"
button3="$(bx 3) $(by)"
open_parameters() {
  xdotool mousemove $button3 click 1
  wait_window "一次回风参数设定" 10
  expect_frame "一次回风参数设定" "$dialog_frame" "parameter dialog, opening $1"
}
type_into_box() { # row n of the left column, text
  click $(( dialog_x + dialog_w * 35 / 100 )) \
        "$(awk -v y="$dialog_y" -v h="$dialog_h" -v n="$1" 'BEGIN{printf "%d", y + h*(0.045 + 0.1*(n-1))}')"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "$2"
}
open_parameters 1
read -r dialog_x dialog_y _ _ <<<"$(client_rect "$(window_id "一次回风参数设定")")"
type_into_box 1 27
type_into_box 3 33
type_into_box 6 20
sleep 0.3
shot parameters
click $(( dialog_x + dialog_w * 7 / 10 )) $(( dialog_y + dialog_h * 55 / 100 ))
sleep 0.8
expect_frame "焓湿图" "$main_frame" "main window after the parameter dialog"
click "$(bx 2)" "$(by)"
sleep 2
shot computed
alive

# N is a red dot and L a black one where the calculation puts them.
read -r d_n i_n d_L i_L < <("$states" 27 60 33 26.5 6 20 95 12 0.01 101325)
echo "N ($d_n, $i_n), L ($d_L, $i_L)"
[ "$(pixel computed "$(px "$d_n")" "$(py "$i_n")")" = "255,0,0" ] || fail "no red dot at N ($(pixel computed "$(px "$d_n")" "$(py "$i_n")"))"
[ "$(pixel computed "$(px "$d_L")" "$(py "$i_L")")" = "0,0,0" ] || fail "no black dot at L ($(pixel computed "$(px "$d_L")" "$(py "$i_L")"))"

# The parameter dialog closed by its close box comes back from its
# definition, its outer frame where the layout puts it every time; the main
# window comes back in its place each time too.
for k in $(seq 2 $(( reopenings + 1 ))); do
  open_parameters "$k"
  [ "$k" = 3 ] && shot reopened
  close_box "一次回风参数设定"
  wait_gone "一次回风参数设定" 10
  wait_window "焓湿图" 10
  expect_frame "焓湿图" "$main_frame" "main window after closing the parameter dialog ($k)"
done
echo "parameter dialog reopened $reopenings times after its close box"
alive

# The help window lies inside the screen; its button has the focus, so the
# space bar leads back to the main window.
on_screen() { # name
  local fx fy fw fh
  read -r fx fy fw fh <<<"$(outer_frame "$(window_id "$1")")"
  [ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] && [ $(( fx + fw )) -le "${size%x*}" ] \
    && [ $(( fy + fh )) -le "${size#*x}" ] || fail "$1: outer frame $fx $fy $fw $fh off the screen"
}
click "$(bx 5)" "$(by)"
wait_window "帮助" 10
sleep 0.5
on_screen "帮助"
shot help
xdotool key space
sleep 0.8
expect_frame "焓湿图" "$main_frame" "main window after the help"
# The secondary-return-air dialog has the parameter dialog's face and frame
# and holds the texts the primary dialog's OK stored; its OK computes the
# secondary design with the next 计算并描点, whose headings stay through a redraw.
click "$(bx 4)" "$(by)"
wait_window "二次回风参数设定" 10
sleep 0.3
expect_frame "二次回风参数设定" "$dialog_frame" "secondary-return-air dialog"
shot secondary
click $(( dialog_x + dialog_w * 7 / 10 )) $(( dialog_y + dialog_h * 55 / 100 ))
sleep 0.8
expect_frame "焓湿图" "$main_frame" "main window after the secondary-return-air dialog"
click "$(bx 2)" "$(by)"
sleep 2
shot secondary_computed
click "$(bx 1)" "$(by)"
sleep 1.5
shot secondary_redrawn
alive
# The panel's headings: those of the secondary design after its calculation
# and after the redraw, not those of the primary design.
panel="$(dev "$(awk -v w="$FW" 'BEGIN{printf "%d", w*0.2}')")x$(dev "$(awk -v h="$PH" 'BEGIN{printf "%d", h*63/175}')")+$(px 20.5)+$(py 60)"
heads() { convert "$shots/$1.png" -crop "$panel" -threshold 60% -format "%#" info:; }
[ "$(heads secondary_computed)" = "$(heads secondary_redrawn)" ] || fail "the headings changed with the redraw"
[ "$(heads secondary_computed)" != "$(heads computed)" ] || fail "the secondary design shows the primary design's headings"
# Its dots: N red where the primary calculation put it, L black on the
# line from N through O, C1 red.
[ "$(pixel secondary_computed "$(px "$d_n")" "$(py "$i_n")")" = "255,0,0" ] || fail "no red dot at N in the secondary design"
# The letters beside the dots are red text near N.
letters=$(convert "$shots/secondary_computed.png" -crop "$(dev 40)x$(dev 30)+$(( $(px "$d_n") - $(dev 20) ))+$(( $(py "$i_n") - $(dev 15) ))" \
          -fx "r>0.8 && g<0.3 && b<0.3 ? 1 : 0" -format "%[fx:int(w*h*mean)]" info: | tail -n 1)
[ "$letters" -gt 20 ] || fail "no red letter beside N ($letters red pixels)"
shot back
alive

# 冬季工况, the seventh button, lies inside the window under the last readout
# column: its caption shows there, and a click on it opens the winter dialog
# with the summer dialog's frame. OK and 计算并描点 then draw the winter
# design: N' and C' red where the winter start texts put them.
read -r _ _ main_w _ <<<"$main_frame"
button6_right=$(( mx + $(dev "$(awk -v w="$FW" 'BEGIN{printf "%d", w*0.915}')") ))
[ "$button6_right" -le $(( mx + $(dev "$main_w") )) ] || fail "冬季工况 ends at $button6_right, beyond the window"
caption_ink=$(convert "$shots/back.png" \
        -crop "$(dev "$(awk -v w="$FW" 'BEGIN{printf "%d", w*0.1}')")x$(dev "$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.03}')")+$(( $(bx 6) - $(dev "$(awk -v w="$FW" 'BEGIN{printf "%d", w*0.05}')") ))+$(( $(by) - $(dev "$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.015}')") ))" \
        -threshold 50% -format "%[fx:int(w*h*(1-mean))]" info:)
[ "$caption_ink" -gt 10 ] || fail "no caption on the seventh button ($caption_ink dark pixels)"
click "$(bx 6)" "$(by)"
wait_window "一次回风冬季参数设定" 10
expect_frame "一次回风冬季参数设定" "$dialog_frame" "winter dialog"
sleep 0.3
shot winter_dialog
read -r winter_x winter_y _ _ <<<"$(client_rect "$(window_id "一次回风冬季参数设定")")"
click $(( winter_x + dialog_w * 7 / 10 )) $(( winter_y + dialog_h * 55 / 100 ))
sleep 0.8
expect_frame "焓湿图" "$main_frame" "main window after the winter dialog"
click "$(bx 2)" "$(by)"
sleep 2
shot winter
alive
for point in "7.26238 38.5232 N'" "5.263939 23.79495 C'"; do
  read -r d i name <<<"$point"
  [ "$(pixel winter "$(px "$d")" "$(py "$i")")" = "255,0,0" ] || fail "no red dot at $name ($(pixel winter "$(px "$d")" "$(py "$i")"))"
done
[ -z "$lost_signs" ] || fail "the scale numbers$lost_signs have lost their minus signs (chart.png)"
echo "real window check passed ($size, window manager $wm)"
