#!/usr/bin/env bash
# The program's peak memory with a chart drawn at the precision 0.05: runs the
# real program under /usr/bin/time -v in Xvfb at 1920 × 1080, clicks through
# the splash, generates the chart with the prompts' defaults (0.05), runs the
# default calculation and ends the program, then prints the maximum resident
# set size. Usage: peak_memory.sh IDCHART
set -euo pipefail

program=$(readlink -f "$1")
shots=$(mktemp -d)
size=1920x1080
here=$(dirname "$(readlink -f "$0")")/../tests/xvfb
# shellcheck source=../tests/xvfb/xvfb_session.sh
source "$here/xvfb_session.sh"

report="$shots/time.txt"
real_program=$program
program="$shots/timed"
cat >"$program" <<SCRIPT
#!/usr/bin/env bash
exec /usr/bin/time -v -o "$report" "$real_program"
SCRIPT
chmod +x "$program"

enter_main_window
generate_chart "" "" 2
click "$(bx 2)" "$(by)"          # computes without parameters: message, then the dialog
sleep 1
xdotool key Return             # dismiss the message
sleep 1
alive
pkill -TERM -P "$app_pid"   # the program itself, so that time reports on it
wait "$app_pid" 2>/dev/null || true
app_pid=""
sleep 0.5
grep -E "Maximum resident set size|Command terminated" "$report"
rm -rf "$shots"
