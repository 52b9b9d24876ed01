#!/usr/bin/env bash
# A user's work survives a kill and a restart: tn 24 and s 40 typed into
# 一次回风参数设定, the chart generated at "95000pa", a state point marked
# through the chart's menu; the program is killed a moment later. Started
# again, it asks 恢复上次未保存的工作?; restored, the point is on the chart,
# and 保存项目 writes every text and the point. Closed without a question
# (nothing unsaved) and started with the file, it shows the point again and
# 计算并描点 computes the typed design: N is where the calculation puts it.
# Usage: project_check.sh IDCHART PROCESS_STATES CLOSE_REQUEST SHOT_DIR
set -euo pipefail

program=$(readlink -f "$1")
states=$(readlink -f "$2")
close_request=$(readlink -f "$3")
shots=$(mkdir -p "$4" && readlink -f "$4")
size=1366x768
here=$(dirname "$(readlink -f "$0")")

# shellcheck source=xvfb_session.sh
source "$here/xvfb_session.sh"

project=$shots/room.idchart
rm -f "$project" "$shots/program.log"

# The state's d and i at the project's pressure, as the state command computes them.
state=$(QT_QPA_PLATFORM=offscreen "$program" state --t 32 --phi 65 --pressure 95000 --format json)
value() { sed -E "s/.*\"$1\": ([-0-9.eE]+).*/\1/" <<<"$state"; }
d=$(value d)
i=$(value i)
blue_dot() { # screenshot
  [ "$(pixel "$1" "$(px "$d")" "$(py "$i")")" = "0,0,255" ] \
    || fail "no blue dot at d = $d, i = $i ($1.png: $(pixel "$1" "$(px "$d")" "$(py "$i")"))"
}

enter_main_window
# 一次回风: the first entry has the focus; s is five entries on, OK four more.
click "$(bx 3)" "$(by)"
wait_window "一次回风参数设定" 10
sleep 0.5
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "24"
xdotool key Tab Tab Tab Tab Tab
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "40"
shot typed
xdotool key Tab Tab Tab Tab space
wait_gone "一次回风参数设定" 10
generate_chart "95000pa" 1 1
# 标注状态点…, the last enabled entry of the chart's menu.
xdotool mousemove "$(px 5)" "$(py 120)" click 3
sleep 0.8
xdotool key Up Return
wait_window "标注状态点" 10
sleep 0.5
xdotool type --delay 20 "32"
xdotool key Tab Tab
xdotool type --delay 20 "65"
xdotool key Return
wait_gone "标注状态点" 10
# The recovery copy follows a moment after the change.
sleep 2.5
shot before-kill
blue_dot before-kill
kill -9 "$app_pid"
wait "$app_pid" 2>/dev/null || true
wait_gone "焓湿图" 10
app_pid=""

# The font caches are built: a start that shows nothing within a minute has failed.
first_window_wait=60
enter_main_window
wait_window "idchart" 10
sleep 0.5
shot recovery-question
xdotool key Return
wait_gone "idchart" 10
sleep 1.5
shot restored
alive
blue_dot restored

# 保存项目 (Ctrl+Shift+S) on the main window: the first save asks for a name.
id=$(window_id "焓湿图")
xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
click "$(px 2)" "$(py 140)"
xdotool key --clearmodifiers ctrl+shift+s
wait_window "保存项目" 10
sleep 0.8
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 10 "$project"
xdotool key Return
for _ in $(seq 1 50); do
  [ -s "$project" ] && break
  sleep 0.2
done
[ -s "$project" ] || fail "no project file was saved through the dialog"
for expected in '"tn": {"text": "24"' '"s": {"text": "40"' '"text": "95000pa"' \
                '"property": "t", "value": 32' '"property": "phi", "value": 65'; do
  grep -qF "$expected" "$project" || fail "the saved project lacks $expected: $(cat "$project")"
done

# Nothing is unsaved: the close box ends the program without a question.
close_box "焓湿图"
for _ in $(seq 1 50); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$app_pid" 2>/dev/null && fail "the program asked or stayed after its close box"

# Started with the file, as the desktop entry starts it.
program_args=("$project")
enter_main_window
sleep 1.5
shot opened
blue_dot opened
click "$(bx 2)" "$(by)"
sleep 2
shot computed
read -r d_n i_n _ _ < <("$states" 24 60 35 26.5 6 40 95 12 0.01 95000)
[ "$(pixel computed "$(px "$d_n")" "$(py "$i_n")")" = "255,0,0" ] \
  || fail "no red dot at N ($d_n, $i_n) of the opened project's design"
alive
echo "project check passed: $project"
