#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Release build, the same
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each
# fuzz target so that they keep building and finding nothing, and the Windows build under
# Wine, compared byte for byte with the Linux one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"

echo "== the tests again under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSORVANE_SANITIZE=ON \
  -DSORVANE_BUILD_UI=OFF -DSORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize -j "$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"

echo "== fuzz targets, a few seconds each"
fuzz/run.sh 5

echo "== the Windows build under Wine, compared byte for byte with the Linux build"
scripts/build-windows.sh
scripts/test-windows.sh build build-windows
