#!/usr/bin/env bash
# A year of weather through the real program: the synthetic year of the
# climate tests (every hour complete) imported through the chart's menu and
# its file dialog, the zone 供冷 I级 shown through 舒适区 ▸, and a PNG saved
# through the menu. The density's cells are on the screen where the hours
# lie, the zone where the state command puts its states, and the saved PNG
# has both where the window has them.
# Usage: climate_check.sh IDCHART SYNTHETIC_EPW SHOT_DIR
set -euo pipefail

program=$(readlink -f "$1")
generator=$(readlink -f "$2")
shots=$(mkdir -p "$3" && readlink -f "$3")
size=1366x768
here=$(dirname "$(readlink -f "$0")")

# shellcheck source=xvfb_session.sh
source "$here/xvfb_session.sh"

epw="$shots/plateau.epw"
"$generator" complete >"$epw"

# Chart points (d, i) as the state command computes them at 101325 Pa:
# within 供冷 I级 but in a cell without hours (25.5 ℃, 10.5 g/kg), and in a
# cell with hours of the year (25.5 ℃, 11.5 g/kg).
point() {
  local state
  state=$(QT_QPA_PLATFORM=offscreen "$program" state --t "$1" --d "$2" --pressure 101325 --format json)
  echo "$2 $(sed -E 's/.*"i": ([-0-9.eE]+).*/\1/' <<<"$state")"
}
read -r zone_d zone_i <<<"$(point 25.5 10.5)"
read -r cell_d cell_i <<<"$(point 25.5 11.5)"
[ -n "$zone_i" ] && [ -n "$cell_i" ] || fail "no states from the state command"

enter_main_window
generate_chart 101325 1 1
shot chart
chart_zone=$(pixel chart "$(px "$zone_d")" "$(py "$zone_i")")
chart_cell=$(pixel chart "$(px "$cell_d")" "$(py "$cell_i")")

open_menu() {
  xdotool mousemove "$(px 5)" "$(py 120)" click 3
  sleep 0.8
}

# 导入气象数据…: from the top of the menu Up reaches the last enabled entries,
# 标注状态点…, 显示方式 ▸, 舒适区 ▸, then past the two entries disabled
# without weather, 导入气象数据….
open_menu
shot climate-menu
xdotool key Up Up Up Up Return
wait_window "导入气象数据" 10
sleep 0.8
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 10 "$epw"
xdotool key Return
wait_gone "导入气象数据" 10
sleep 1
alive
shot imported
imported_cell=$(pixel imported "$(px "$cell_d")" "$(py "$cell_i")")
imported_zone=$(pixel imported "$(px "$zone_d")" "$(py "$zone_i")")
[ "$imported_cell" != "$chart_cell" ] || fail "no density cell where the hours lie (imported.png)"
[ "$imported_zone" = "$chart_zone" ] || fail "a cell where no hour lies (imported.png)"

# 舒适区 ▸ and its first entry, 供冷 I级.
open_menu
xdotool key Up Up Up Right
sleep 0.6
shot zones-menu
xdotool key Return
sleep 1
alive
shot zone
zone=$(pixel zone "$(px "$zone_d")" "$(py "$zone_i")")
[ "$zone" != "$chart_zone" ] || fail "the zone is not shaded (zone.png)"

# 保存图像…, the first entry: a PNG at the window's size with the overlay.
png="$shots/climate.png"
rm -f "$png"
open_menu
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
saved_zone=$(pixel climate "$(( $(px "$zone_d") - mx ))" "$(( $(py "$zone_i") - my ))")
saved_cell=$(pixel climate "$(( $(px "$cell_d") - mx ))" "$(( $(py "$cell_i") - my ))")
[ "$saved_zone" = "$zone" ] || fail "the saved PNG's zone pixel is $saved_zone, the window's $zone"
[ "$saved_cell" != "$chart_cell" ] || fail "the saved PNG has no density cell ($saved_cell)"
alive
echo "climate check passed: zone $zone at d = $zone_d, i = $zone_i, cell $saved_cell, $png"
