#!/usr/bin/env bash
# Builds Saporia optimised (with debug info) and runs every test, then again in
# a Debug build under AddressSanitizer and UndefinedBehaviorSanitizer.
# SKIP_SANITIZERS=1 skips the second run.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-packages.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

if [ "${SKIP_SANITIZERS:-0}" != "1" ]; then
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSAPORIA_SANITIZE=ON -DSAPORIA_BENCH=OFF >/dev/null
  cmake --build build-asan -j"$jobs"
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"
fi
