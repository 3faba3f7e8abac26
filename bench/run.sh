#!/usr/bin/env bash
# End-to-end timing of `sorvane-cli pet` as a whole process, against a floor measured
# in the same run.
#
#   bench/run.sh [--quick] [--runs N] [--build-dir DIR] [--work-dir DIR] [--keep]
#
# Builds the Release programs, generates the weather files (bench/make_weather_files)
# into a temporary ApplicationFolder per case, and runs every case N times (default 5),
# each run of `sorvane-cli pet` followed by a run of bench/floor over the same files.
# The floor reads every byte, splits every field and writes as many fields back, and
# computes nothing: the least a PET run could cost. The table gives medians (wall time,
# rows per second, peak resident memory from /usr/bin/time -v, the floor's time, our
# time divided by the floor's) and the best wall time. The case of 2 000 small files
# also runs in rounds of --jobs 1, --jobs 2 and two separate processes on half the files
# each, whose ratios give the speed-up of two cores; the results of --jobs 1 and --jobs 2
# must be byte for byte the same.
#
# --quick leaves out the largest cases (10 000 000 rows, 20 000 files) and runs each
# case 3 times. The files go under --work-dir (default $TMPDIR, else /var/tmp; up to
# 10 GB without --quick) and are removed at the end unless --keep. Timings are only
# meaningful on an otherwise idle machine: the load average is printed before and
# after. Making a file costs ext4 far more for a while after many files near it were
# deleted (it scans past their inodes), so a folder where tests come and go, such as
# /tmp, gives slower and noisier figures for the cases of many files.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
build_dir="$source_dir/build-bench"
runs=5
quick=0
keep=0
work_root=${TMPDIR:-/var/tmp}
while [[ $# -gt 0 ]]; do
  case "$1" in
    --quick) quick=1; runs=3 ;;
    --runs) runs="$2"; shift ;;
    --build-dir) build_dir="$2"; shift ;;
    --work-dir) work_root="$2"; shift ;;
    --keep) keep=1 ;;
    *) echo "usage: bench/run.sh [--quick] [--runs N] [--build-dir DIR] [--work-dir DIR] [--keep]" >&2; exit 2 ;;
  esac
  shift
done

echo "== building (Release) in $build_dir"
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DSORVANE_BUILD_UI=OFF >/dev/null
cmake --build "$build_dir" -j 2 --target sorvane-cli make_weather_files floor >/dev/null
cli="$build_dir/sorvane-cli"
generate="$build_dir/bench/make_weather_files"
floor="$build_dir/bench/floor"

work=$(mktemp -d "$work_root/sorvane-bench.XXXXXX")
if [[ $keep -eq 0 ]]; then trap 'rm -rf "$work"' EXIT; fi

# An ApplicationFolder for a case, its weather files made by the generator.
make_case() {  # make_case NAME KIND ROWS FILES
  local folder="$work/$1"
  mkdir -p "$folder/data/PET_DATA" "$folder/support"
  cp "$source_dir/appfolder/support/heat_index_data.csv" "$folder/support/"
  "$generate" --kind "$2" --rows "$3" --files "$4" --out "$folder/data/PET_DATA" --name "$1"
}

median() { sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

# Every timed run writes into folders of its own, made fresh and kept to the end, as a
# first run over new data would: clearing or replacing the results of the previous run
# would also time the file system's work on the removed files (ext4 scans past the
# inodes of recently deleted files when it makes new ones, and discards their blocks).
fresh_folder_for() {  # fresh_folder_for CASE RUN_TAG: an ApplicationFolder sharing the case's data
  local folder="$work/runs/$2"
  mkdir -p "$folder/OUTPUT" "$folder/FLOOR"
  ln -s "$work/$1/data" "$folder/data"
  ln -s "$work/$1/support" "$folder/support"
  echo "$folder"
}

# Times one command: wall seconds (from the shell's clock) and peak memory in KiB.
timed() {  # timed OUT_PREFIX COMMAND...
  local prefix=$1; shift
  local start=$EPOCHREALTIME
  /usr/bin/time -v -o "$prefix.time" "$@" >"$prefix.out" 2>"$prefix.err"
  local end=$EPOCHREALTIME
  awk -v s="$start" -v e="$end" 'BEGIN {printf "%.4f\n", e - s}' >>"$prefix.walls"
  awk -F': ' '/Maximum resident set size/ {print $2}' "$prefix.time" >>"$prefix.rss"
}

printf '%-16s %9s %6s %4s %8s %8s %10s %8s %8s %6s\n' \
  "case" "rows" "files" "jobs" "wall s" "best s" "rows/s" "peak MB" "floor s" "ratio" >"$work/table"

# Runs a case `runs` times (PET run, then floor) and adds its line to the table: medians
# of the wall time, the peak memory and the floor, the best wall time, and the median of
# the runs' own ratios (each PET run against the floor run right after it, so that a
# spell of a slow core weighs on both sides alike).
run_case() {  # run_case NAME ROWS FILES JOBS
  local name=$1 rows=$2 files=$3 jobs=$4
  local folder="$work/$name"
  local tag="$work/$name.j$jobs"
  rm -f "$tag".walls "$tag".rss "$tag.floor".walls "$tag.floor".rss
  local run
  for ((i = 0; i < runs; i++)); do
    run=$(fresh_folder_for "$name" "$name.j$jobs.$i")
    sync
    timed "$tag" "$cli" --app-folder "$run" pet --jobs "$jobs"
    if grep -q . "$tag.err"; then
      echo "sorvane-cli refused input in case $name:" >&2
      head -5 "$tag.err" >&2
      exit 1
    fi
    sync
    timed "$tag.floor" "$floor" "$run/FLOOR" "$folder/data/PET_DATA"
  done
  echo "$run/OUTPUT" >"$tag.results"
  local wall best floor_wall rss ratio
  wall=$(median <"$tag.walls")
  best=$(sort -g "$tag.walls" | head -1)
  floor_wall=$(median <"$tag.floor.walls")
  rss=$(median <"$tag.rss")
  ratio=$(paste "$tag.walls" "$tag.floor.walls" | awk '{print $1 / $2}' | median)
  awk -v n="$name" -v r="$rows" -v f="$files" -v j="$jobs" -v w="$wall" -v b="$best" -v fw="$floor_wall" \
    -v m="$rss" -v q="$ratio" \
    'BEGIN {printf "%-16s %9d %6d %4d %8.3f %8.3f %10.0f %8.1f %8.3f %6.2f\n", n, r, f, j, w, b, r / w, m / 1024, fw, q}' \
    >>"$work/table"
  echo "$wall" >"$tag.median"
}

# Two cores on the files of a case, in rounds: --jobs 1, --jobs 2, and what two cores
# give this very work as a yardstick (two separate `--jobs 1` processes at once, each on
# half of the files, into the same OUTPUT folder), one right after the other in every
# round, so that a spell of a slow core or of a slow file system weighs on all three
# alike. On a virtual machine the two cores need not be equally fast, nor stay so.
two_cores() {  # two_cores NAME
  local name=$1
  local folder="$work/$name"
  local tag="$work/$name.cores"
  local names=()
  mapfile -t names < <(ls "$folder/data/PET_DATA")
  local half=$((${#names[@]} / 2))
  printf '%s\r\n' "${names[@]:0:half}" >"$tag.list1"
  printf '%s\r\n' "${names[@]:half}" >"$tag.list2"
  rm -f "$tag.rounds"
  local run start one two halves
  for ((i = 0; i < runs; i++)); do
    run=$(fresh_folder_for "$name" "$name.cores1.$i")
    sync
    start=$EPOCHREALTIME
    "$cli" --app-folder "$run" pet --jobs 1 >/dev/null
    one=$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN {print e - s}')
    run=$(fresh_folder_for "$name" "$name.cores2.$i")
    sync
    start=$EPOCHREALTIME
    "$cli" --app-folder "$run" pet --jobs 2 >/dev/null
    two=$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN {print e - s}')
    run=$(fresh_folder_for "$name" "$name.halves.$i")
    sync
    start=$EPOCHREALTIME
    "$cli" --app-folder "$run" pet --jobs 1 --list "$tag.list1" >/dev/null 2>"$tag.err1" &
    "$cli" --app-folder "$run" pet --jobs 1 --list "$tag.list2" >/dev/null 2>"$tag.err2"
    wait
    halves=$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN {print e - s}')
    echo "$one $two $halves" >>"$tag.rounds"
  done
}

echo "== generating the weather files in $work"
make_case daily_100k daily 100000 1
make_case daily_1M daily 1000000 1
[[ $quick -eq 1 ]] || make_case daily_10M daily 10000000 1
make_case monthly_100k monthly 100000 1
# A station's own heads: units converted as each field is read, the dew point and the
# measured radiation in place of RH1 and SS.
make_case station_units_100k daily 100000 1
sed -i '4s|.*|Date,TMAX (F),TMIN (F),TDEW (F),RAIN,WS (m/s),RS (MJ/m2),EVP\r|' "$work/station_units_100k/data/PET_DATA/"*.csv
make_case small_200x365 daily 365 200
make_case small_2000x365 daily 365 2000
[[ $quick -eq 1 ]] || make_case small_20000x365 daily 365 20000

# The speed of each core, by the same work pinned to it: on a virtual machine a core can
# be slowed by the host, and two cores give two-fold only when both run at full speed.
core_speeds() {
  local line="core speeds (daily_100k pinned to each core, wall s):"
  local run start end
  for ((core = 0; core < $(nproc); core++)); do
    run=$(fresh_folder_for daily_100k "core$core.$1")
    start=$EPOCHREALTIME
    taskset -c "$core" "$cli" --app-folder "$run" pet --jobs 1 >/dev/null
    end=$EPOCHREALTIME
    line+=$(awk -v c="$core" -v s="$start" -v e="$end" 'BEGIN {printf " core %d %.3f", c, e - s}')
  done
  echo "$line"
}

echo "== load before: $(cut -d' ' -f1-3 /proc/loadavg); $runs runs per case"
core_speeds before
# The cases of many files first, before the large files fill the page cache.
run_case small_200x365 73000 200 1
run_case small_2000x365 730000 2000 1
run_case small_2000x365 730000 2000 2
two_cores small_2000x365
[[ $quick -eq 1 ]] || run_case small_20000x365 7300000 20000 1
run_case daily_100k 100000 1 1
run_case daily_1M 1000000 1 1
[[ $quick -eq 1 ]] || run_case daily_10M 10000000 1 1
run_case monthly_100k 100000 1 1
run_case station_units_100k 100000 1 1
core_speeds after
echo "== load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
cat "$work/table"
echo

# The derived figures: cost per row and per file at each size, the per-file overhead
# (2 000 small files against the 1M-row file) and two cores.
per_unit() {  # per_unit LABEL UNIT SCALE NAME:COUNT...: each case's median time per row or per file
  local label=$1 unit=$2 scale=$3 size name
  shift 3
  for size in "$@"; do
    name=${size%%:*}
    [[ -f "$work/$name.j1.median" ]] || continue
    awk -v l="$label" -v u="$unit" -v s="$scale" -v n="$name" -v c="${size##*:}" -v w="$(cat "$work/$name.j1.median")" \
      'BEGIN {printf "%-17s%-16s %8.3f %s\n", l, n, w / c * s, u}'
  done
}
per_unit "linear in rows:" "us per row" 1e6 daily_100k:100000 daily_1M:1000000 daily_10M:10000000
per_unit "linear in files:" "ms per file of 365 rows" 1e3 small_200x365:200 small_2000x365:2000 small_20000x365:20000
awk -v big="$(cat "$work/daily_1M.j1.median")" -v small="$(cat "$work/small_2000x365.j1.median")" 'BEGIN {
  perRow = big / 1000000
  printf "per-file overhead (2 000 files of 365 rows, --jobs 1, less 730 000 rows at the 1M-row rate): %.3f ms\n",
         (small - 730000 * perRow) / 2000 * 1000
}'
rounds="$work/small_2000x365.cores.rounds"
echo "two cores on 2 000 files, $(wc -l <"$rounds") rounds of --jobs 1, --jobs 2 and two separate --jobs 1 processes on 1 000 files each:"
while read -r one two halves; do
  awk -v a="$one" -v b="$two" -v c="$halves" \
    'BEGIN {printf "  %.3f s, %.3f s, %.3f s: --jobs 2 %.2fx, two processes %.2fx\n", a, b, c, a / b, a / c}'
done <"$rounds"
speedup=$(awk '{print $1 / $2}' "$rounds" | median)
machine=$(awk '{print $1 / $3}' "$rounds" | median)
awk -v j="$speedup" -v m="$machine" 'BEGIN {
  printf "speed-up of --jobs 2 over --jobs 1 on 2 000 files (median of the rounds): %.2fx;", j
  printf " two separate processes, what the machine gives: %.2fx; --jobs 2 reaches %.0f %% of it\n", m, 100 * j / m
}'
jobs1=$(cat "$work/small_2000x365.j1.results")
jobs2=$(cat "$work/small_2000x365.j2.results")
if diff -r -q "$jobs1" "$jobs2" >/dev/null; then
  echo "results of --jobs 1 and --jobs 2: identical ($(ls "$jobs2" | wc -l) files compared byte for byte)"
else
  echo "results of --jobs 1 and --jobs 2: DIFFERENT"
  exit 1
fi
echo "machine: $(nproc) cores, $(lscpu | awk -F': *' '/Model name/ {print $2; exit}')"
