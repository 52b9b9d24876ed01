#!/usr/bin/env bash
# Shared by the scripts that drive idchart in a real X server: starts Xvfb at
# $size on a free display, optionally a window manager, and offers xdotool,
# window-frame and screenshot helpers.
# Expects: size (WxH, device pixels), shots (a folder for screenshots);
# optional: wm (none or openbox; none), scale (Qt's scale factor; 1),
# close_request (the helper that asks a window to close as its close box does).
# Sets: DISPLAY, app_pid.

wm=${wm:-none}
scale=${scale:-1}
for tool in Xvfb xdotool xwininfo xprop import convert; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done
[ "$wm" = none ] || command -v "$wm" >/dev/null || { echo "missing $wm"; exit 1; }

# The tools match and type Chinese window names: UTF-8, whatever the caller's
# locale. The program itself is started with no locale at all (see
# start_program), as on a fresh system.
export LC_ALL=C.UTF-8

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
# Settings, recent projects and recovery copies of this run's own.
export XDG_CONFIG_HOME=$runtime/config XDG_DATA_HOME=$runtime/data

# A free display number, reported by Xvfb itself. -noreset: by default the
# server resets when its last client goes (a killed program, a finished
# xprop), and refuses connections while it does, so a program or window
# manager that connects in that moment would find no display.
exec 3< <(Xvfb -displayfd 1 -screen 0 "${size}x24" -nolisten tcp -noreset 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r display <&3
export DISPLAY=":$display"
# The program goes to this X server, whatever platform the test suite runs on.
export QT_QPA_PLATFORM=xcb
app_pid=""
wm_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT
# A failure names what was seen, whether the X server still runs, and what the
# program printed.
fail() {
  echo "FAIL ($size, window manager $wm): $*"
  kill -0 "$xvfb_pid" 2>/dev/null || echo "the X server $DISPLAY is no longer running"
  if [ -s "$shots/program.log" ]; then
    echo "the program printed:"
    tail -n 20 "$shots/program.log"
  fi
  exit 1
}

# The window manager, with its own default settings (not the caller's), ready
# once it announces itself on the root window; a busy machine may take many
# seconds to start it.
if [ "$wm" != none ]; then
  XDG_CONFIG_HOME=$runtime/config "$wm" --sm-disable >"$shots/$wm.log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 1 600); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' \
    || fail "$wm did not start: $(kill -0 "$wm_pid" 2>/dev/null && echo "still starting after 60 s" || echo "it ended"); its output: $(tail -n 5 "$shots/$wm.log")"
fi

shot() { import -window root "$shots/$1.png"; echo "screenshot $shots/$1.png"; }
# Prints the colours of a region of a screenshot, one pixel a line, as "r,g,b".
pixels() { # screenshot name, region WxH+X+Y
  convert "$shots/$1.png" -crop "$2" -depth 8 txt:- | tail -n +2 \
    | sed -E 's/.*\(([0-9.]+),([0-9.]+),([0-9.]+).*/\1,\2,\3/' | awk -F, '{printf "%d,%d,%d\n",$1,$2,$3}'
}
# Prints the colour of one pixel of a screenshot as "r,g,b".
pixel() { pixels "$1" "1x1+$2+$3"; }
alive() { kill -0 "$app_pid" 2>/dev/null || fail "the program is no longer running"; }
# The first visible window of that name, or nothing; a search that hangs is
# given up after a few seconds.
window_id() {
  { timeout 5 xdotool search --onlyvisible --name "$1" 2>/dev/null || true; } | head -n 1
}
# Waits for a window of the program; fails at once when the program has ended.
wait_window() { # name, seconds
  local deadline=$(( SECONDS + $2 )) status=0
  while [ "$SECONDS" -lt "$deadline" ]; do
    [ -n "$(window_id "$1")" ] && return 0
    if [ -n "$app_pid" ] && ! kill -0 "$app_pid" 2>/dev/null; then
      wait "$app_pid" 2>/dev/null || status=$?
      fail "the program ended (status $status) before a window named $1 showed"
    fi
    sleep 0.1
  done
  fail "no window named $1 after $2 s"
}
wait_gone() { # name, seconds
  for _ in $(seq 1 $(( $2 * 10 ))); do
    [ -z "$(window_id "$1")" ] && return 0
    sleep 0.1
  done
  fail "the window named $1 is still there"
}
type_answer() { # window name, text: replace the field's text and confirm
  wait_window "$1" 10
  local id
  id=$(window_id "$1")
  xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
  sleep 0.3
  xdotool key --clearmodifiers ctrl+a
  [ -n "$2" ] && xdotool type --delay 20 "$2"
  xdotool key Return
  sleep 0.5
}
# Generates the chart with its button, answering the pressure and precision
# prompts, and gives it the seconds to draw.
generate_chart() { # pressure, precision, seconds
  click "$(bx 0)" "$(by)"
  type_answer "大气压" "$1"
  type_answer "绘图精度" "$2"
  sleep "$3"
  alive
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }

# Window frames, in device pixels. client_rect: the client area's "x y w h"
# on the screen; frame_extents: "left right top bottom" as the window manager
# reports them (zeros without one); outer_frame: the client area with them.
client_rect() {
  local line x y w h
  while read -r line; do
    case $line in
      "Absolute upper-left X:"*) x=${line##* } ;;
      "Absolute upper-left Y:"*) y=${line##* } ;;
      "Width:"*) w=${line##* } ;;
      "Height:"*) h=${line##* } ;;
    esac
  done < <(xwininfo -id "$1")
  echo "$x $y $w $h"
}
frame_extents() {
  local e
  e=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null)
  e=${e#*= }
  e=${e//,/}
  if [[ $e =~ ^[0-9]+\ [0-9]+\ [0-9]+\ [0-9]+$ ]]; then echo "$e"; else echo "0 0 0 0"; fi
}
outer_frame() {
  local x y w h l r t b
  read -r x y w h <<<"$(client_rect "$1")"
  read -r l r t b <<<"$(frame_extents "$1")"
  echo "$(( x - l )) $(( y - t )) $(( w + l + r )) $(( h + t + b ))"
}
# Waits until the named window's outer frame is "x y w h" (device pixels) and
# fails naming what it is otherwise. Under a window manager the frame is
# drawn a moment after the window is mapped.
expect_frame() { # name, expected, what
  local id seen=""
  for _ in $(seq 1 20); do
    id=$(window_id "$1")
    [ -n "$id" ] && seen=$(outer_frame "$id")
    [ "$seen" = "$2" ] && return 0
    sleep 0.1
  done
  fail "$3: outer frame $seen (x y w h), expected $2; frame extents $(frame_extents "$id")"
}
# Asks the named window to close as its close box does: under a window
# manager a click on the close button at the right end of the title bar,
# without one the request the close box would send.
close_box() {
  local id x y w h l r t b
  id=$(window_id "$1")
  if [ "$wm" = none ]; then
    "$close_request" "$id" || fail "could not ask $1 to close"
  else
    read -r x y w h <<<"$(client_rect "$id")"
    read -r l r t b <<<"$(frame_extents "$id")"
    xdotool mousemove $(( x + w - t / 2 )) $(( y - t / 2 )) click 1
  fi
}

# Starts the program with no locale variables, as on a fresh system, at
# Qt's scale factor $scale.
# program_args, when set, are given to it (a project file to open).
program_args=()
start_program() {
  env -u LC_ALL -u LANG -u LANGUAGE -u LC_CTYPE -u LC_MESSAGES -u LC_NUMERIC \
    QT_SCALE_FACTOR="$scale" "$program" "${program_args[@]}" >>"$shots/program.log" 2>&1 &
  app_pid=$!
}

# Geometry as the program computes it from the screen, in logical pixels
# (device pixels divided by the scale factor): FW x FH is the main window's
# outer frame. dev converts to device pixels. The main window's controls
# count from its client area, which a window manager's title bar and border
# move by (mx, my); bx k / by: centre of button k; px d / py i: the screen
# pixel of chart point (d, i).
width=$(( ${size%x*} / scale ))
height=$(( ${size#*x} / scale ))
round() { awk "BEGIN{v = $1; printf \"%d\", (v < 0) ? v - 0.5 : v + 0.5}"; }
dev() { echo $(( $1 * scale )); }
FH=$(round "$height * 0.95")
FW=$width
PH=$(round "$FH * 0.8")
mx=0
my=0
bx() { echo $(( mx + $(dev "$(awk -v w="$FW" -v k="$1" 'BEGIN{printf "%d", w*(0.015 + 0.13*k + 0.06)}')") )); }
by() { echo $(( my + $(dev "$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.925}')") )); }
px() { echo $(( mx + $(dev "$(awk -v w="$FW" -v d="$1" 'BEGIN{printf "%d", w*d/42}')") )); }
py() { echo $(( my + $(dev "$(awk -v h="$PH" -v i="$1" 'BEGIN{printf "%d", h*(145-i)/175}')") )); }
# The outer frames the layouts give: splash and main window full width, 95 %
# of the height at the top-left corner; the parameter dialog half the width
# and 0.4 of the height at 0.3 of each.
main_frame="0 0 $(dev "$FW") $(dev "$FH")"
dialog_frame="$(dev "$(round "$width * 0.3")") $(dev "$(round "$height * 0.3")") $(dev "$(round "$width * 0.5")") $(dev "$(round "$height * 0.4")")"

# Starts $program, checks the splash's frame, waits for its OK button (after
# its animation, taking screenshots on the way) and clicks it; then checks the
# main window's frame and notes where its client area begins.
# first_window_wait: the seconds to wait for the splash (180, for a first
# start that builds the font caches while a busy machine starts several of
# these checks at once).
first_window_wait=180
enter_main_window() {
  start_program
  wait_window "焓湿图" "$first_window_wait"
  expect_frame "焓湿图" "$main_frame" "splash"
  sleep 1.2
  shot splash-animating
  sleep 2.5
  shot splash-finished
  alive
  local x y w h
  read -r x y w h <<<"$(client_rect "$(window_id "焓湿图")")"
  click $(( x + $(dev "$(awk -v w="$FW" 'BEGIN{printf "%d", w*0.225}')") )) \
        $(( y + $(dev "$(awk -v h="$FH" 'BEGIN{printf "%d", h*0.825}')") ))
  sleep 1
  wait_window "焓湿图" 10
  expect_frame "焓湿图" "$main_frame" "main window"
  read -r mx my w h <<<"$(client_rect "$(window_id "焓湿图")")"
}

# 一次回风: opens the parameter dialog, confirms its start texts with OK, then
# clicks 计算并描点 and gives the program two seconds to draw.
compute_primary_with_start_texts() {
  click "$(bx 3)" "$(by)"
  wait_window "一次回风参数设定" 10
  local x y w h
  read -r x y w h <<<"$(client_rect "$(window_id "一次回风参数设定")")"
  click $(( x + w * 7 / 10 )) $(( y + h * 55 / 100 ))
  wait_gone "一次回风参数设定" 10
  click "$(bx 2)" "$(by)"
  sleep 2
}
