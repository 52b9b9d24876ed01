#!/usr/bin/env bash
# Shared by the scripts that drive idchart in a real X server: starts Xvfb at
# $size on a free display, and offers xdotool and screenshot helpers.
# Expects: size (WxH), shots (a folder for screenshots). Sets: DISPLAY, app_pid.

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
# The program goes to this X server, whatever platform the test suite runs on.
export QT_QPA_PLATFORM=xcb
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

# Geometry of the main window as the program computes it from the screen:
# no window manager, so no frames. bx k / by: centre of button k; px d / py i:
# the screen pixel of chart point (d, i).
width=${size%x*}
height=${size#*x}
FH=$(awk -v h="$height" 'BEGIN{printf "%d", h*0.95 + 0.5}')
FW=$width
PH=$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.8 + 0.5}')
bx() { awk -v w="$FW" -v k="$1" 'BEGIN{printf "%d", w*(0.015 + 0.13*k + 0.06)}'; }
by=$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.925}')
px() { awk -v w="$FW" -v d="$1" 'BEGIN{printf "%d", w*d/42}'; }
py() { awk -v h="$PH" -v i="$1" 'BEGIN{printf "%d", h*(145-i)/175}'; }

# Starts $program, waits for the splash's OK button (after its animation,
# taking screenshots on the way) and clicks it.
enter_main_window() {
  "$program" >"$shots/program.log" 2>&1 &
  app_pid=$!
  wait_window "焓湿图" 20
  sleep 1.2
  shot splash-animating
  sleep 2.5
  shot splash-finished
  alive
  click "$(awk -v w="$FW" 'BEGIN{printf "%d", w*0.225}')" "$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.825}')"
  sleep 1
}
