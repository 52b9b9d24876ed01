#!/usr/bin/env bash
# The house rules the build cannot see: the computing core (and the layout
# arithmetic beside it) names no window interface and no Qt type, and the
# command line reaches no file of the windows.
set -euo pipefail
cd "$(dirname "$0")/../src"
status=0
core=(psychro text draw chart designs readout report project layout commands portable climate)
if hits=$(grep -rnE 'Prompts|MainWindowTexts|#include <Q|\bQ[A-Z][A-Za-z]+\b' "${core[@]}"); then
  echo "the core names a window interface or a Qt type:"
  echo "$hits"
  status=1
fi
if hits=$(grep -rn '#include "shell/' cli); then
  echo "the command line includes the windows' headers:"
  echo "$hits"
  status=1
fi
exit $status
