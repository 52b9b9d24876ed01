#!/usr/bin/env bash
# `cmake --install` of the build into a temporary prefix (staged under a
# DESTDIR, so that a file installed outside the prefix shows up instead of
# landing on this machine): the installed files are exactly the expected ones,
# the icons have their sizes, the desktop entry and the AppStream metadata
# validate, and the installed program shows the project version and draws a
# chart through its window program.
# Usage: install_tree_check.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1 version=$2 app=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

prefix=$work/prefix
DESTDIR=$work/stage cmake --install "$build" --prefix "$prefix" >"$work/install.log" \
  || { cat "$work/install.log"; fail "cmake --install"; }
root=$work/stage$prefix

cat >"$work/expected" <<EOF
.$prefix/bin/idchart
.$prefix/libexec/idchart/idchart-window
.$prefix/share/applications/$app.desktop
.$prefix/share/doc/idchart/changelog.gz
.$prefix/share/doc/idchart/copyright
.$prefix/share/icons/hicolor/128x128/apps/$app.png
.$prefix/share/icons/hicolor/256x256/apps/$app.png
.$prefix/share/icons/hicolor/48x48/apps/$app.png
.$prefix/share/icons/hicolor/64x64/apps/$app.png
.$prefix/share/icons/hicolor/scalable/apps/$app.svg
.$prefix/share/man/man1/idchart.1.gz
.$prefix/share/metainfo/$app.metainfo.xml
.$prefix/share/mime/packages/$app.xml
EOF
(cd "$work/stage" && find . ! -type d | LC_ALL=C sort) >"$work/installed"
diff -u "$work/expected" "$work/installed" || fail "the installed files differ from the list"

# A PNG's width and height: big-endian words at bytes 16 and 20.
for size in 48 64 128 256; do
  png=$root/share/icons/hicolor/${size}x${size}/apps/$app.png
  got=$(od -An -tu1 -j16 -N8 "$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$got" = "${size}x${size}" ] || fail "icon in ${size}x${size} is $got"
done

desktop=$root/share/applications/$app.desktop
grep -qx "Icon=$app" "$desktop" || fail "the desktop entry's Icon is not $app"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/bin/$exec_program" ] || fail "the desktop entry's Exec ($exec_program) is not installed"
LC_ALL=C.UTF-8 desktop-file-validate "$desktop" || fail "desktop-file-validate"
LC_ALL=C.UTF-8 appstreamcli validate --no-net "$root/share/metainfo/$app.metainfo.xml" \
  || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$root/share/metainfo/$app.metainfo.xml" \
  || fail "the metadata's release is not $version"
zcat "$root/share/man/man1/idchart.1.gz" | grep -q "^\.TH IDCHART \"1\" .*\"idchart $version\"" \
  || fail "the manual page is not that of idchart $version"
zcat "$root/share/man/man1/idchart.1.gz" | grep -qx '\.SH 名称' \
  || fail "the manual page's headings are not Chinese"

out=$(timeout 30 "$root/bin/idchart" --version) || fail "installed idchart --version"
[ "$out" = "idchart $version" ] || fail "installed idchart --version printed: $out"
# A drawing command runs the window program, which the installed idchart finds
# in libexec.
timeout 60 "$root/bin/idchart" chart "$work/x.png" || fail "installed idchart chart"
[ "$(head -c 8 "$work/x.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] \
  || fail "installed idchart chart wrote no PNG"
echo "installed into $prefix: $(wc -l <"$work/installed") files, idchart --version: $out"
