#!/usr/bin/env bash
# Timing of `sorvane-cli calibrate` over 100 station files of 20 years of daily data
# (7 305 rows each), on one core, as a whole process.
#
#   bench/calibrate.sh [--runs N] [--build-dir DIR] [--work-dir DIR]
#
# Builds the Release programs, generates the files with bench/make_weather_files (each
# station at coordinates of its own) and runs `calibrate --against "Penman Montieth"`
# N times (default 5) pinned to one core, then as often with --cross-validate. Prints
# the median and best wall times; the target is under 5 s.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
build_dir="$source_dir/build-bench"
runs=5
work_root=${TMPDIR:-/var/tmp}
while [[ $# -gt 0 ]]; do
  case "$1" in
    --runs) runs="$2"; shift ;;
    --build-dir) build_dir="$2"; shift ;;
    --work-dir) work_root="$2"; shift ;;
    *) echo "usage: bench/calibrate.sh [--runs N] [--build-dir DIR] [--work-dir DIR]" >&2; exit 2 ;;
  esac
  shift
done

echo "== building (Release) in $build_dir"
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DSORVANE_BUILD_UI=OFF >/dev/null
cmake --build "$build_dir" -j 2 --target sorvane-cli make_weather_files >/dev/null

work=$(mktemp -d "$work_root/sorvane-calibrate.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data/PET_DATA" "$work/data/COEFFI_DATA" "$work/support" "$work/OUTPUT"
cp "$source_dir/appfolder/support/heat_index_data.csv" "$work/support/"
"$build_dir/bench/make_weather_files" --kind daily --rows 7305 --files 100 --out "$work/data/PET_DATA" --name station

pin=()
command -v taskset >/dev/null && pin=(taskset -c 0)
median() { sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

time_case() {  # time_case LABEL EXTRA-ARGUMENTS...
  local label=$1; shift
  local times=()
  for ((run = 1; run <= runs; ++run)); do
    local start end
    start=$(date +%s.%N)
    "${pin[@]}" "$build_dir/sorvane-cli" --app-folder "$work" calibrate --against "Penman Montieth" "$@" >/dev/null
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc)")
  done
  printf '%-40s median %6.3f s   best %6.3f s   (%d runs)\n' "$label" \
    "$(printf '%s\n' "${times[@]}" | median)" "$(printf '%s\n' "${times[@]}" | sort -g | head -1)" "$runs"
}

echo "== load average: $(cut -d' ' -f1-3 /proc/loadavg)"
time_case "100 stations x 20 years, daily"
time_case "the same with --cross-validate" --cross-validate
echo "== load average: $(cut -d' ' -f1-3 /proc/loadavg)"
