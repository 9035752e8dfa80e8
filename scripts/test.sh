#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through ctest: first a
# Release build, then the same tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer, then bounded, reproducible runs of the fuzz
# targets side by side (a fixed number of runs from a fixed seed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
# Unity builds compile each target's sources in a few batches, which keeps
# the three builds within a few minutes on two cores.
unity=-DCMAKE_UNITY_BUILD=ON

echo "== Release build"
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release "$unity"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTOBREL_SANITIZE=ON -DTOBREL_BENCH=OFF "$unity"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== Fuzz targets (bounded runs)"
scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOBREL_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ "$unity"
ctest --test-dir build-fuzz --output-on-failure -j "$jobs"
