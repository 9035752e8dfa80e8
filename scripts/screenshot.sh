#!/usr/bin/env bash
# Makes docs/screenshot.png: starts the desktop program under a virtual X
# display with the sample log, reads it, runs the posting-count tally and
# saves a picture of the window. Usage: scripts/screenshot.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target tobrel
mkdir -p docs
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# A fresh home and settings folder, so that no stored settings change the picture.
HOME=$home XDG_CONFIG_HOME=$home/.config TOBREL_SCREENSHOT=$PWD/docs/screenshot.png \
  xvfb-run -a -s "-screen 0 1024x768x24" "$build/ui/tobrel" samples/sample.log
echo "docs/screenshot.png written"
