#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through ctest: first
# everything but the benchmarks (which no test runs; `scripts/build.sh build`
# builds them) built with AddressSanitizer and
# UndefinedBehaviorSanitizer and every test run there, then the core tests in
# a Release build (two of them cannot run instrumented: a posting of two
# thousand million characters and a run out of memory), then the core and
# tally tests (where the reading run's second thread works) built with
# ThreadSanitizer, then bounded, reproducible runs of the fuzz targets side by
# side (a fixed number of runs from a fixed seed). Each phase prints the
# seconds it took; the whole is meant to stay within ten minutes on a fresh
# two-core machine, which is why the tests are built once with the checkers rather than
# once more without them.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
scripts/install-deps.sh
scripts/setup-git.sh

jobs=$(nproc)
# Unity builds compile each target's sources in a few batches, which keeps
# the builds within a few minutes on two cores.
unity=-DCMAKE_UNITY_BUILD=ON

phase_start=$started
phase() {
  echo "== $1 (the previous step took $((SECONDS - phase_start)) s)"
  phase_start=$SECONDS
}

phase "AddressSanitizer + UndefinedBehaviorSanitizer build"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTOBREL_SANITIZE=ON -DTOBREL_BENCH=OFF "$unity"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

phase "Release build of the core tests"
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release "$unity" -- core_test
ctest --test-dir build --output-on-failure -j "$jobs" -R '^core_test_shard_[0-9]+$'

phase "ThreadSanitizer build of the core and tally tests"
tsan_tests=(core_test tally_test comment_tally_test statistics_report_test monthly_tally_test
            quote_pattern_change_test tsv_export_test quoted_line_test_test
            posting_order_left_test)
scripts/build.sh build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOBREL_TSAN=ON -DTOBREL_UI=OFF \
  -DTOBREL_BENCH=OFF "$unity" -- "${tsan_tests[@]}"
tsan_regex="^($(IFS='|'; echo "${tsan_tests[*]}"))(_shard_[0-9]+)?\$"
# Two single-threaded tests that go through every character or a posting of
# two thousand million characters only take long under the thread checker.
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  GTEST_FILTER="-Utf8LogTest.ConversionIsTheConvertersForEveryCharacter:PostingAssembler.APostingTooLongToCountIsAnErrorOfItsLine" \
  ctest --test-dir build-tsan --output-on-failure -j "$jobs" -R "$tsan_regex"

phase "Fuzz targets (bounded runs)"
scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOBREL_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ "$unity"
ctest --test-dir build-fuzz --output-on-failure -j "$jobs"

phase "All tests passed in $((SECONDS - started)) s"
