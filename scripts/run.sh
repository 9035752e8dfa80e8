#!/usr/bin/env bash
# Installs what is missing, builds tobrel-cli in Release (only it) and runs it
# on the bundled sample log.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target tobrel-cli
exec build/cli/tobrel-cli count --utf8 --tables dmhwiz samples/sample.log "$@"
