#!/usr/bin/env bash
# Installs what is missing, builds Tobrel in Release and runs it on the bundled
# sample log.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
exec build/cli/tobrel-cli count --utf8 --tables dmhwiz samples/sample.log "$@"
