#!/usr/bin/env bash
# Makes the user manual and copies it into docs/: docs/tobrel.html with the
# real reports of the sample log, and the pictures of every window and
# dialog in docs/images/ (taken on Qt's offscreen platform, no display
# needed). Review the change with git diff before committing it.
# Usage: scripts/manual.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[[ -f "$build/CMakeCache.txt" ]] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target manual
out=$build/manual/out
rm -rf docs/images
mkdir -p docs/images
cp "$out"/images/*.png docs/images/
cp "$out/tobrel.html" docs/tobrel.html
echo "docs/tobrel.html and docs/images/ written"
