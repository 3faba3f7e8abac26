#!/usr/bin/env bash
# fuzz/run.sh [SECONDS] [TARGET...]
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each (or the TARGETs named, such as weather_file) for SECONDS (default 60),
# starting from the seed corpora and keeping what they find in fuzz/corpus/<target>. A
# crash, leak, time-out or memory blow-up stops the script with the input kept as
# fuzz/crash-<target>-*; add it to tests/data/fuzz-regressions/ once fixed. Inputs that
# were merely slow on a busy machine (slow-unit-*) are reported, not counted.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
wanted=("$@")
build=fuzz/build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DSORVANE_FUZZ=ON -DSORVANE_BUILD_UI=OFF -DSORVANE_BUILD_TESTS=OFF -DSORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzzers >/dev/null

seeds() {  # the seed files of one target, from fuzz/seeds.txt
  local pattern
  for pattern in $(awk -v target="$1" '$1 == target { $1 = ""; print }' fuzz/seeds.txt); do
    compgen -G "$pattern" || true
  done
}

for fuzzer in "$build"/fuzz/*_fuzzer; do
  target=$(basename "$fuzzer" _fuzzer)
  if ((${#wanted[@]})) && [[ ! " ${wanted[*]} " == *" $target "* ]]; then continue; fi
  corpus=fuzz/corpus/$target
  mkdir -p "$corpus"
  seeds "$target" | while read -r seed; do cp -n "$seed" "$corpus/" 2>/dev/null || true; done
  echo "== $target: $seconds s"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$fuzzer" "$corpus" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="fuzz/crash-$target-" -print_final_stats=1 2>&1 | grep -E "stat::number_of_executed_units|Done|ERROR|SUMMARY|crash-" || true
  for slow in fuzz/crash-"$target"-slow-unit-*; do
    [[ -e $slow ]] && echo "fuzz: $target: an input was slow once (a busy machine?): $slow"
  done
  if ls fuzz/crash-"$target"-{crash,leak,timeout,oom}-* >/dev/null 2>&1; then
    echo "fuzz: $target found a fault: $(ls fuzz/crash-"$target"-*)" >&2
    exit 1
  fi
done
