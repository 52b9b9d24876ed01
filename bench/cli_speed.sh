#!/usr/bin/env bash
# Wall-clock time of whole idchart processes, start-up included, with
# hyperfine: the default calculation, and the chart at precision 0.05 with
# the process drawn and saved as PNG, and the calculation sheet as PDF
# (offscreen, no display needed).
# Usage: bench/cli_speed.sh [path/to/idchart]   (default build/idchart)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(readlink -f "${1:-build/idchart}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
hyperfine --shell=none --warmup 5 --runs 50 \
  "$program compute" \
  "$program chart out.png --precision 0.05 --process" \
  "$program report out.pdf"
