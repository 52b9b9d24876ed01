#!/usr/bin/env bash
# Draws the splash picture (640 x 549, baseline JPEG): a broad green tree on a
# meadow beside a country road with a cyclist, on a white ground, no text.
# Needs ImageMagick's convert. Usage: make_splash.sh [output.jpg]
set -euo pipefail
out="${1:-$(dirname "$0")/splash.jpg}"

# A fixed linear congruential generator, so every run draws the same leaves.
seed=20030601
rnd() { # rnd N -> r in 0..N-1
    seed=$(((seed * 1103515245 + 12345) % 2147483648))
    r=$(((seed / 65536) % $1))
}

# The crown: leaf clusters scattered over an ellipse, darker towards the
# bottom and the right (shade), lighter towards the upper left (sun).
greens=('#275a1b' '#2e6b1f' '#37792a' '#428a30' '#4f9a37' '#5caa41' '#6ab84b' '#7cc45a')
leaves=()
for _ in $(seq 1 260); do
    rnd 380; dx=$((r - 190))
    rnd 260; dy=$((r - 130))
    # keep the point inside the ellipse with semi-axes 190 x 130
    if (( dx * dx * 169 + dy * dy * 361 > 190 * 190 * 169 )); then continue; fi
    rnd 16; radius=$((16 + r))
    shade=$(( (dy + 130) * 5 / 260 + (dx + 190) * 2 / 380 ))
    rnd 3; shade=$((shade + r - 1))
    (( shade < 0 )) && shade=0
    (( shade > 7 )) && shade=7
    x=$((300 + dx)); y=$((185 + dy))
    leaves+=(-fill "${greens[7 - shade]}" -draw "circle $x,$y $((x + radius)),$y")
done

convert -size 640x549 xc:white \
  -fill '#c9e2b4' -draw "ellipse 150,372 250,34 180,360" \
  -fill '#bedba6' -draw "ellipse 520,374 230,30 180,360" \
  -fill '#9ccd7c' -draw "polygon 0,372 640,366 640,549 0,549" \
  -fill '#8cc46b' -draw "polygon 0,420 640,404 640,549 0,549" \
  -fill '#7db85c' -draw "polygon 0,480 640,462 640,549 0,549" \
  -fill '#dccca6' -draw "polygon 470,549 640,549 640,500 552,368 544,368" \
  -stroke '#f6f1e4' -strokewidth 3 -draw "line 566,549 548,368" -stroke none \
  -fill '#3f7a2c' -draw "ellipse 300,404 150,16 0,360" \
  -fill '#5b3a1e' -draw "polygon 284,260 316,260 322,392 336,406 264,406 278,392" \
  -fill '#74502c' -draw "polygon 292,260 300,260 302,392 294,392" \
  -stroke '#5b3a1e' -strokewidth 10 -draw "line 298,300 230,235" -draw "line 304,300 372,230" \
  -strokewidth 7 -draw "line 300,270 300,170" \
  -stroke none "${leaves[@]}" \
  -stroke '#222222' -strokewidth 3 -fill none \
  -draw "circle 548,488 548,466" -draw "circle 604,488 604,466" \
  -strokewidth 4 -stroke '#c0392b' \
  -draw "polyline 548,488 570,488 590,462 566,462 570,488" \
  -draw "line 590,462 604,488" -draw "line 566,462 562,452" \
  -draw "line 590,462 592,452" -stroke '#222222' -strokewidth 3 -draw "line 556,452 568,452" \
  -stroke '#1f4e8c' -strokewidth 6 -draw "line 564,450 582,418" \
  -strokewidth 5 -draw "line 582,420 594,452" \
  -stroke '#2c2c2c' -strokewidth 5 -draw "polyline 566,452 578,468 572,488" \
  -stroke '#f2c79e' -strokewidth 4 -draw "line 584,424 596,444" \
  -stroke none -fill '#f2c79e' -draw "circle 586,408 586,399" \
  -fill '#e0b020' -draw "ellipse 586,401 10,5 180,360" \
  -stroke '#5e9e40' -strokewidth 2 \
  -draw "line 40,520 44,505" -draw "line 48,522 50,506" -draw "line 120,500 123,486" \
  -draw "line 128,502 126,488" -draw "line 210,530 213,514" -draw "line 410,515 414,500" \
  -draw "line 418,517 417,502" -draw "line 90,455 92,444" -draw "line 460,450 463,440" \
  -stroke none -fill white \
  -draw "circle 60,470 60,466" -draw "circle 150,440 150,436" -draw "circle 430,470 430,466" \
  -fill '#f3d33b' \
  -draw "circle 60,470 60,468" -draw "circle 150,440 150,438" -draw "circle 430,470 430,468" \
  -blur 0x0.6 \
  -strip -interlace none -sampling-factor 2x2,1x1,1x1 -quality 90 "jpeg:$out"
