#!/usr/bin/env bash
# Installs what is missing, builds and starts the desktop program with the
# sample log in its list of selectable files. Without a display it says so
# and writes the command-line report of the sample instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build --target tobrel
  exec build/ui/tobrel samples/sample.log "$@"
fi
echo "run.sh: no display (\$DISPLAY and \$WAYLAND_DISPLAY are empty): the window cannot open;" \
     "showing the command-line report of samples/sample.log instead." >&2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target tobrel-cli
exec build/cli/tobrel-cli count --utf8 --tables dmhwiz samples/sample.log "$@"
