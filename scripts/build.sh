#!/usr/bin/env bash
# Configures and builds one build tree:
#   scripts/build.sh DIR [cmake options...] [-- targets...]
# Without targets everything is built.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
options=()
while (($#)) && [ "$1" != "--" ]; do
  options+=("$1")
  shift
done
targets=()
if (($#)); then
  shift
  targets=(--target "$@")
fi
cmake -S . -B "$dir" -G Ninja "${options[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
