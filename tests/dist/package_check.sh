#!/usr/bin/env bash
# Runs inside a fresh Debian root (scripts/package --check): installs the
# idchart package with apt and checks what a user gets from it. Every step
# prints its outcome; the status is the number of failed steps.
# Usage: package_check.sh /path/to/idchart_<version>_<arch>.deb
set -uo pipefail
deb=$1
failed=0
step() { echo "== $1"; }
ok() { echo "   ok: $1"; }
fail() { echo "   FAILED: $1"; failed=$((failed + 1)); }
export DEBIAN_FRONTEND=noninteractive
apt_install() {
  apt-get -o DPkg::Lock::Timeout=120 install -y -qq --no-install-recommends "$@" >/tmp/apt.log 2>&1
}

step "apt-get install --no-install-recommends ./$(basename "$deb") (Depends only)"
apt-get -o DPkg::Lock::Timeout=120 update -qq >/dev/null 2>&1
if apt_install "$deb"; then
  ok "installed $(dpkg-query -W -f='${Package} ${Version}' idchart), $(grep -c '^Setting up' /tmp/apt.log) packages set up"
else
  tail -20 /tmp/apt.log
  fail "apt could not install the package"
  exit $failed
fi
version=$(dpkg-query -W -f='${Version}' idchart)

# The command line as a user's terminal has it: no display, no Qt settings.
step "idchart --version"
out=$(timeout 60 idchart --version 2>&1); rc=$?
echo "$out" | sed 's/^/   | /'
if [ $rc -eq 0 ] && grep -qF "$version" <<<"$out"; then ok "exit 0, shows $version"; else fail "exit $rc"; fi

step "idchart chart /tmp/x.png"
rm -f /tmp/x.png
out=$(timeout 60 idchart chart /tmp/x.png 2>&1); rc=$?
[ -z "$out" ] || echo "$out" | sed 's/^/   | /'
if [ $rc -eq 0 ] && [ "$(head -c 8 /tmp/x.png 2>/dev/null | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ]; then
  read -r w h < <(od -An -tu1 -j16 -N8 /tmp/x.png |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  ok "exit 0, a PNG of ${w} x ${h} pixels, $(stat -c %s /tmp/x.png) bytes"
else
  fail "exit $rc, no PNG written"
fi

step "idchart compute --format json"
out=$(timeout 60 idchart compute --format json 2>&1); rc=$?
echo "$out" | sed 's/^/   | /'
if [ $rc -eq 0 ] && [ "${out:0:1}" = "{" ]; then ok "exit 0, a JSON object"; else fail "exit $rc"; fi

step "desktop entry: Exec and Icon resolve"
desktop=$(dpkg -L idchart | grep '^/usr/share/applications/.*\.desktop$')
metainfo=$(dpkg -L idchart | grep '^/usr/share/metainfo/.*\.xml$')
exec_line=$(sed -n 's/^Exec=//p' "$desktop" | head -1)
icon=$(sed -n 's/^Icon=//p' "$desktop" | head -1)
program=${exec_line%% *}
if command -v "$program" >/dev/null; then
  ok "Exec=$exec_line -> $(command -v "$program")"
else
  fail "Exec=$exec_line: $program not on PATH"
fi
for size in scalable 48x48 64x64 128x128 256x256; do
  found=$(ls /usr/share/icons/hicolor/$size/apps/"$icon".{svg,png} 2>/dev/null)
  if [ -n "$found" ]; then ok "Icon=$icon -> $found"; else fail "Icon=$icon: none in hicolor/$size"; fi
done

step "Chinese faces for 宋体 and 楷体_GB2312"
for face in "AR PL UMing" "AR PL UKai"; do
  if fc-list : family | grep -q "$face"; then ok "$face installed"; else fail "$face missing"; fi
done

# The tools for the remaining checks come after the checks above, so that
# those saw only what the package itself pulled in.
step "desktop-file-validate and appstreamcli validate --no-net"
apt_install desktop-file-utils appstream xvfb xauth x11-utils || { tail -20 /tmp/apt.log; fail "tools"; }
if out=$(LC_ALL=C.UTF-8 desktop-file-validate "$desktop" 2>&1); then
  ok "desktop-file-validate $desktop"
else
  fail "desktop-file-validate $desktop"
fi
[ -z "$out" ] || echo "$out" | sed 's/^/   | /'
if out=$(LC_ALL=C.UTF-8 appstreamcli validate --no-net "$metainfo" 2>&1); then
  ok "appstreamcli validate --no-net $metainfo"
else
  fail "appstreamcli validate --no-net $metainfo"
fi
echo "$out" | sed 's/^/   | /'

step "starting the program from its desktop entry on an X server"
# A free display number, reported by Xvfb itself.
# -noreset: no reset, and no refused connection, when a client goes.
exec 3< <(Xvfb -displayfd 1 -screen 0 1920x1080x24 -nolisten tcp -noreset 2>/tmp/xvfb.log & echo "pid $!")
read -r _ xvfb <&3
read -r display <&3
# Field codes (%f, %U, ...) stand for files handed over by the menu; none here.
command=$(sed 's/ *%[a-zA-Z]//g' <<<"$exec_line")
runtime=$(mktemp -d); chmod 700 "$runtime"
DISPLAY=:$display XDG_RUNTIME_DIR=$runtime setsid sh -c "exec $command" >/tmp/start.log 2>&1 &
program_pid=$!
sleep 10
windows=$(DISPLAY=:$display xwininfo -root -tree 2>/dev/null | grep -c '("idchart" ' || true)
if kill -0 $program_pid 2>/dev/null; then
  ok "running after 10 s, $windows window(s) of class idchart on the screen"
  [ "$windows" -gt 0 ] || fail "no window of the program on the screen"
  kill $program_pid
else
  wait $program_pid; fail "ended with status $?"
fi
kill $xvfb 2>/dev/null
[ -s /tmp/start.log ] && sed 's/^/   | /' /tmp/start.log | head -20

echo "== $failed step(s) failed"
exit $failed
