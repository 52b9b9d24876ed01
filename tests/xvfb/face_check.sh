#!/usr/bin/env bash
# Runs face_check in its own Xvfb under openbox on each screen from 1024 × 768
# to 3840 × 2160 at Qt's scale factor 2, resizing the main window on the
# 1920 × 1080 screen to 1100 × 700 and 1500 × 900, and takes a screenshot of
# each end state.
# Usage: face_check.sh FACE_CHECK SHOT_DIR
set -euo pipefail
check=$(readlink -f "$1")
shots_root=$(mkdir -p "$2" && readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")
status=0
run() { # size, scale, resize sizes...
  local size=$1 scale=$2
  shift 2
  (
    shots="$shots_root/$size-x$scale"
    mkdir -p "$shots"
    wm=openbox
    program=$check
    # shellcheck source=xvfb_session.sh
    source "$here/xvfb_session.sh"
    env -u LC_ALL -u LANG -u LANGUAGE QT_SCALE_FACTOR="$scale" FACE_SHOTS="$shots" "$check" "$@" >"$shots/report.txt" 2>&1 &
    pid=$!
    wait "$pid" && rc=0 || rc=$?
    cat "$shots/report.txt" | grep -v "^qt\." || true
    exit "$rc"
  ) || status=1
}
run 1024x768 1
run 1366x768 1
run 1920x1080 1 1100x700 1500x900
run 3840x2160 2
exit $status
