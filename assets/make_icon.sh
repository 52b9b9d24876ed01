#!/usr/bin/env bash
# Draws the application icon: a small i-d chart on a rounded white card - the
# saturation curve and three relative-humidity curves of moist air at
# 101325 Pa, a few isotherms, and a summer process (outdoor W, indoor N, their
# mixing state C, the machine dew point L) as red dots joined by lines.
# Writes icon/idchart.svg beside this script and, with rsvg-convert (Debian
# librsvg2-bin), icon/idchart-48.png, -64, -128 and -256 from it.
# Usage: make_icon.sh [output-folder]
set -euo pipefail
out="${1:-$(dirname "$0")/icon}"
mkdir -p "$out"

# The curves are computed here, not drawn by hand: moisture content
# d = 622 Pq / (B - Pq) in g/kg and enthalpy i = 1.01 t + d (2500 + 1.84 t) / 1000
# in kJ/kg, with the Magnus form of the saturation pressure (close enough for a
# picture 48 pixels wide). As on a printed i-d chart, the enthalpy axis is
# oblique, so that isotherms run almost level and the humidity curves fan out:
# the card shows d 0..25 g/kg across and i - 2.5 d from -10 to 50 kJ/kg
# upwards, in a 128 x 128 view box.
awk -v OFS='' '
function ps(t) { return 610.94 * exp(17.625 * t / (t + 243.04)) }
function dmoist(t, phi,   p) { p = phi * ps(t); return 622 * p / (101325 - p) }
function enth(t, d) { return 1.01 * t + d * (2500 + 1.84 * t) / 1000 }
function X(d) { return sprintf("%.1f", 18 + d / 25 * 96) }
function Y(d, i) { return sprintf("%.1f", 110 - (i - 2.5 * d + 10) / 60 * 96) }
function curve(phi,   t, d, s, tmax) {
  s = ""
  for (t = -10; t <= 45; t += 1) {
    d = dmoist(t, phi)
    if (d > 25 || enth(t, d) - 2.5 * d > 50) break
    s = s (s == "" ? "M" : " L") X(d) "," Y(d, enth(t, d))
  }
  return s
}
BEGIN {
  print "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"128\" height=\"128\" viewBox=\"0 0 128 128\">"
  print "<rect x=\"4\" y=\"4\" width=\"120\" height=\"120\" rx=\"18\" fill=\"#fbfdff\" stroke=\"#2b4f7a\" stroke-width=\"4\"/>"
  # axes: d to the right, i upwards (obliquely)
  print "<path d=\"M18,14 L18,110 L114,110\" fill=\"none\" stroke=\"#2b4f7a\" stroke-width=\"3\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>"
  # isotherms 0, 10, 20 and 30 degC: straight lines from d = 0 to saturation
  # or to the right edge
  for (t = 0; t <= 30; t += 10) {
    d = dmoist(t, 1)
    if (d > 25) d = 25
    print "<path d=\"M18,", Y(0, enth(t, 0)), " L", X(d), ",", Y(d, enth(t, d)), "\" fill=\"none\" stroke=\"#9bb3cc\" stroke-width=\"2\"/>"
  }
  # relative humidity 30 %, 50 %, 70 %, then the saturation curve on top
  n = split("0.3 0.5 0.7", phis, " ")
  for (k = 1; k <= n; k++)
    print "<path d=\"", curve(phis[k]), "\" fill=\"none\" stroke=\"#5d8fc4\" stroke-width=\"2.5\" stroke-linejoin=\"round\"/>"
  print "<path d=\"", curve(1), "\" fill=\"none\" stroke=\"#1b5fae\" stroke-width=\"5\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>"
  # a summer process: W (35 degC, 55 %) and N (24 degC, 50 %) mix to C,
  # which is cooled to L (on the 95 % curve at 11 degC)
  dw = dmoist(35, 0.55); iw = enth(35, dw)
  dn = dmoist(24, 0.5); in_ = enth(24, dn)
  dc = dn + 0.35 * (dw - dn); ic = in_ + 0.35 * (iw - in_)
  dl = dmoist(11, 0.95); il = enth(11, dl)
  print "<path d=\"M", X(dw), ",", Y(dw, iw), " L", X(dn), ",", Y(dn, in_), " M", X(dc), ",", Y(dc, ic), " L", X(dl), ",", Y(dl, il), " L", X(dn), ",", Y(dn, in_), "\" fill=\"none\" stroke=\"#c0392b\" stroke-width=\"3.5\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>"
  split(dw " " dn " " dc " " dl, ds, " "); split(iw " " in_ " " ic " " il, is, " ")
  for (k = 1; k <= 4; k++)
    print "<circle cx=\"", X(ds[k]), "\" cy=\"", Y(ds[k], is[k]), "\" r=\"5\" fill=\"#e74c3c\" stroke=\"#ffffff\" stroke-width=\"2\"/>"
  print "</svg>"
}' >"$out/idchart.svg"

for size in 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" "$out/idchart.svg" --output "$out/idchart-$size.png"
done
