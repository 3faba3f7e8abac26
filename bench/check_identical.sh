#!/usr/bin/env bash
# Runs two builds of sorvane-cli over the same weather files and compares every byte
# they write: result files, notices (standard output) and refusals (standard error).
# The second build also runs with --jobs 2 and must match its own --jobs 1 run.
#
#   bench/check_identical.sh OLD_CLI NEW_CLI [BUILD_DIR]
#
# BUILD_DIR holds bench/make_weather_files (default: build-bench/ of the source tree,
# which bench/run.sh makes). The files are the edge cases of bench/odd_weather_files.py,
# generated daily, weekly and monthly files, and the sample files of appfolder/data/PET_DATA.
set -euo pipefail

old_cli=$(realpath "$1")
new_cli=$(realpath "$2")
build=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
build=${build:-$source_dir/build-bench}
work=$(mktemp -d /tmp/sorvane-identical.XXXXXX)
trap 'rm -rf "$work"' EXIT

data="$work/data"
mkdir -p "$data"
python3 "$here/odd_weather_files.py" "$data" --files 400 --seed 11
generate="$build/bench/make_weather_files"
"$generate" --kind daily --rows 20000 --out "$data" --seed 3
"$generate" --kind weekly --rows 5000 --out "$data" --seed 4
"$generate" --kind monthly --rows 5000 --out "$data" --seed 5
"$generate" --kind daily --rows 365 --files 40 --out "$data" --seed 6 --name small
cp "$source_dir"/appfolder/data/PET_DATA/*.csv "$data"/

run() {  # run NAME CLI JOBS
  local folder="$work/$1"
  mkdir -p "$folder/data" "$folder/support" "$folder/OUTPUT"
  cp -r "$data" "$folder/data/PET_DATA"
  cp "$source_dir/appfolder/support/heat_index_data.csv" "$folder/support/"
  (cd "$folder" && "$2" --app-folder "$folder" pet --jobs "$3" >stdout.raw 2>stderr.raw || true)
  sed "s|$folder|APPFOLDER|g" "$folder/stdout.raw" >"$folder/stdout.txt"
  sed "s|$folder|APPFOLDER|g" "$folder/stderr.raw" >"$folder/stderr.txt"
}

run old "$old_cli" 1
run new "$new_cli" 1
run new2 "$new_cli" 2

status=0
compare() {  # compare A B WHAT
  if diff -r -q "$work/$1/OUTPUT" "$work/$2/OUTPUT" >/dev/null &&
     cmp -s "$work/$1/stdout.txt" "$work/$2/stdout.txt" &&
     cmp -s "$work/$1/stderr.txt" "$work/$2/stderr.txt"; then
    echo "identical: $3"
  else
    echo "DIFFERENT: $3"
    diff -r -q "$work/$1/OUTPUT" "$work/$2/OUTPUT" | head -5 || true
    diff "$work/$1/stdout.txt" "$work/$2/stdout.txt" | head -5 || true
    diff "$work/$1/stderr.txt" "$work/$2/stderr.txt" | head -5 || true
    status=1
  fi
}
results=$(ls "$work/old/OUTPUT" | wc -l)
refusals=$(wc -l <"$work/old/stderr.txt")
echo "$(ls "$data" | wc -l) weather files: $results results, $refusals refusals"
compare old new "old and new build, --jobs 1"
compare new new2 "new build, --jobs 1 and --jobs 2"
exit $status
