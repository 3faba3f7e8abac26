#!/usr/bin/env bash
# Runs the Windows build of sorvane-cli under Wine beside the Linux build of the same
# source, on the same inputs, and compares everything they leave: every file of the
# ApplicationFolder byte for byte, the exit status, and standard output and error (where
# Windows may end lines with CR LF and write '\' between folders).
#
#   scripts/test-windows.sh [LINUX_BUILD] [WINDOWS_BUILD]     (default: build, build-windows)
#
# Then the window, sorvane.exe, on a virtual display (Xvfb): a driver program works it as a
# user would through all three modules, and its results and notices are compared with the
# window model's on Linux; every control's place is checked against the layout table; the
# installer installs and uninstalls silently. The window's screenshot is left in
# WINDOWS_BUILD/sorvane-window.png (docs/sorvane-window-windows.png is a copy of it).
#
# The inputs: the bundled sample data through pet, check, coeff and adjust; the bad-input
# catalogue of tests/data/bad; the edge cases of bench/odd_weather_files.py; names that
# lists must refuse; non-ASCII file names; the zip as a user unpacks it. Wine runs in a
# fresh prefix of its own, without a display, with one wineserver for the whole run.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
linux_cli=$(realpath "${1:-build}/sorvane-cli")
windows_build=$(realpath "${2:-build-windows}")
windows_cli="$windows_build/sorvane-cli.exe"
for program in "$linux_cli" "$windows_cli"; do
  [[ -x $program ]] || { echo "test-windows: $program is missing (build it first)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/sorvane-windows.XXXXXX")
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
linux_transcript=$(dirname "$linux_cli")/sorvane-window-transcript
window_parts=("$windows_build/sorvane.exe" "$windows_build/sorvane-window-driver.exe" "$linux_transcript")
with_window=1
for part in "${window_parts[@]}"; do [[ -e $part ]] || with_window=0; done
command -v Xvfb >/dev/null || with_window=0
# Wine turns Linux file names and arguments into Windows' UTF-16 by the locale's charset.
export LC_ALL=C.UTF-8
export PATH="$PATH:/usr/lib/wine"  # Debian's wine64 keeps wine64 and wineserver there
unset SORVANE_HOME
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [[ -z $xvfb_pid ]] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
started=$SECONDS
# The window needs a display from the first start of Wine on: its desktop process keeps
# the one it was started with.
if ((with_window)); then
  mkdir -p "$work"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.2; done
  [[ -s $work/display ]] || { echo "test-windows: Xvfb does not start" >&2; exit 2; }
  export DISPLAY=":$(head -1 "$work/display")"
fi
mkdir -p "$WINEPREFIX"
wineserver -p  # one server for every run below, instead of one per start
wine64 cmd /c exit >/dev/null 2>&1 || true  # makes the prefix once (the slow part)
echo "test-windows: Wine prefix ready in $((SECONDS - started)) s"

failures=0
cases=0

# The inputs every case starts from, in the folder $work/$1/template.
template() {  # template CASE [SOURCE_APPFOLDER]
  local folder="$work/$1/template"
  mkdir -p "$folder/data/PET_DATA" "$folder/data/COEFFI_DATA" "$folder/support" "$folder/OUTPUT"
  if [[ -n ${2:-} ]]; then cp -r "$2"/. "$folder"/; fi
  echo "$folder"
}

# Runs the same words through both programs, each in its own copy of the case's
# template; "@APP@" in a word stands for the ApplicationFolder of that copy.
run_both() {  # run_both CASE STEP WORDS...
  local case=$1 step=$2
  shift 2
  local side cli folder
  for side in linux windows; do
    folder="$work/$case/$side"
    [[ -d $folder ]] || cp -r "$work/$case/template" "$folder"
    [[ $side == linux ]] && cli=("$linux_cli") || cli=(wine64 "$windows_cli")
    local words=()
    for word in "$@"; do words+=("${word//@APP@/$folder}"); done
    local status=0
    (cd "$folder" && "${cli[@]}" "${words[@]}" >"$work/$case/$side.$step.out" 2>"$work/$case/$side.$step.err") ||
      status=$?
    echo "$status" >"$work/$case/$side.$step.status"
    for stream in out err; do
      tr -d '\r' <"$work/$case/$side.$step.$stream" | tr '\\' '/' | sed "s|$folder|APPFOLDER|g" \
        >"$work/$case/$side.$step.$stream.txt"
    done
  done
}

# Values of 1e15 and more show every digit of their integer part, so one unit in the last
# place of exp, pow, sin or atan shows in them, and the math libraries of the two systems
# round some arguments to neighbouring doubles. Such values, and nothing else, may differ
# in their last digits (in files that only a case passing "large" allows).
same_but_large_values() {  # same_but_large_values LINUX_FOLDER WINDOWS_FOLDER
  python3 - "$1" "$2" <<'PYTHON'
import filecmp, os, sys
linux, windows = sys.argv[1], sys.argv[2]
large = 0
for folder, _, files in os.walk(linux):
    for name in files:
        a_path = os.path.join(folder, name)
        b_path = os.path.join(windows, os.path.relpath(a_path, linux))
        if not os.path.exists(b_path): sys.exit(f"missing on Windows: {b_path}")
        if filecmp.cmp(a_path, b_path, shallow=False): continue
        a_lines, b_lines = (open(p, "rb").read().split(b"\r\n") for p in (a_path, b_path))
        if len(a_lines) != len(b_lines): sys.exit(f"{name}: {len(a_lines)} lines against {len(b_lines)}")
        for number, (a, b) in enumerate(zip(a_lines, b_lines), 1):
            a_fields, b_fields = a.split(b","), b.split(b",")
            if len(a_fields) != len(b_fields): sys.exit(f"{name}:{number}: {a!r} against {b!r}")
            for x, y in zip(a_fields, b_fields):
                if x == y: continue
                try:
                    u, v = float(x), float(y)
                except ValueError:
                    sys.exit(f"{name}:{number}: {x!r} against {y!r}")
                if abs(u) < 1e15 or abs(u - v) > 1e-13 * abs(u): sys.exit(f"{name}:{number}: {x!r} against {y!r}")
                large += 1
print(f"{large} values beyond 1e15 differ in their last digits")
PYTHON
}

# Compares what the two programs left in a case.
compare() {  # compare CASE [large]
  local case=$1 different=() note=""
  cases=$((cases + 1))
  if ! diff -r "$work/$case/linux" "$work/$case/windows" >"$work/$case/diff" 2>&1; then
    if [[ ${2:-} == large ]] && note=$(same_but_large_values "$work/$case/linux" "$work/$case/windows" 2>&1); then
      note=", $note"
    else
      different+=("files")
    fi
  fi
  local file
  for file in "$work/$case"/linux.*.{status,out.txt,err.txt}; do
    cmp -s "$file" "${file/\/linux./\/windows.}" || different+=("$(basename "${file#*linux.}")")
  done
  if ((${#different[@]})); then
    failures=$((failures + 1))
    echo "DIFFERENT: $case (${different[*]})"
    [[ -z $note ]] || echo "$note"
    head -20 "$work/$case/diff"
    for file in "$work/$case"/linux.*.{status,out.txt,err.txt}; do
      diff "$file" "${file/\/linux./\/windows.}" | head -6 || true
    done
  else
    echo "${note:+alike, }identical: $case ($(find "$work/$case/linux" -type f | wc -l) files$note)"
  fi
}

# The bundled sample data through every module, as the README's chain runs it.
template samples "$source_dir/appfolder" >/dev/null
run_both samples 1 --app-folder @APP@ pet
run_both samples 2 --app-folder @APP@ coeff stations.csv
run_both samples 3 --app-folder @APP@ adjust @APP@/OUTPUT/stations_COEFFI.csv
run_both samples 4 --app-folder @APP@ check
run_both samples 5 --app-folder @APP@ check --format csv
run_both samples 6 --app-folder @APP@ methods
run_both samples 7 --app-folder @APP@ coeff --methods 2,Turc stations.csv
compare samples

# The bad-input catalogue, with an older result of every name that must stay untouched
# and a temporary file left by a run that no longer exists.
folder=$(template bad)
cp "$source_dir"/tests/data/bad/*.csv "$source_dir/appfolder/data/PET_DATA/KESTREL.csv" "$folder/data/PET_DATA/"
cp "$source_dir/appfolder/support/heat_index_data.csv" "$folder/support/"
for file in "$folder"/data/PET_DATA/*.csv; do
  name=$(basename "$file" .csv)
  printf 'older result' >"$folder/OUTPUT/${name}_PET.csv"
done
printf 'cut short' >"$folder/OUTPUT/.KESTREL_PET.csv.999999-0.sorvane-tmp"
run_both bad 1 --app-folder @APP@ pet --jobs 2
run_both bad 2 --app-folder @APP@ check
compare bad

# Lists that name files outside their folder, devices, drives and names Windows would change.
folder=$(template lists "$source_dir/appfolder")
cp "$source_dir/tests/data/bad/list_escaping.txt" "$folder/"
printf 'KESTREL.csv\r\nC:KESTREL.csv\r\nCON.csv\r\nnul\r\nKESTREL.csv.\r\nCOM1.txt\r\n..\\KESTREL.csv\r\n' >"$folder/names.txt"
run_both lists 1 --app-folder @APP@ pet --list list_escaping.txt
run_both lists 2 --app-folder @APP@ pet --list names.txt
run_both lists 3 --app-folder @APP@ coeff --list names.txt
run_both lists 4 --app-folder @APP@ pet KESTREL.csv "C:x.csv" "LPT1.csv" missing.csv
compare lists

# The reference tables and coefficient files of the coefficient and adjuster catalogues.
for table in "$source_dir"/tests/data/bad/coefficients/*.csv; do
  name=$(basename "$table" .csv)
  folder=$(template "coefficients-$name" "$source_dir/tests/data/coefficients/appfolder")
  cp "$source_dir/appfolder/data/COEFFI_DATA/stations.csv" "$folder/data/COEFFI_DATA/"
  cp "$table" "$folder/support/Coefficients.csv"
  cp "$table" "$folder/OUTPUT/"
  run_both "coefficients-$name" 1 --app-folder @APP@ coeff
  run_both "coefficients-$name" 2 --app-folder @APP@ adjust "@APP@/OUTPUT/$name.csv"
  compare "coefficients-$name"
done
folder=$(template adjuster "$source_dir/tests/data/adjuster/appfolder")
step=0
for coefficients in "$folder"/OUTPUT/*_COEFFI.csv; do
  step=$((step + 1))
  run_both adjuster "$step" --app-folder @APP@ adjust "@APP@/OUTPUT/$(basename "$coefficients")"
done
compare adjuster

# Weather files that walk the edges of the format and of the number renderings.
folder=$(template edges)
python3 "$source_dir/bench/odd_weather_files.py" "$folder/data/PET_DATA" --files 200 --seed 15 >/dev/null
cp "$source_dir/appfolder/support/heat_index_data.csv" "$folder/support/"
run_both edges 1 --app-folder @APP@ pet --jobs 2
compare edges large

# File and folder names outside ASCII, given on the command line and found by listing.
folder=$(template "names-ñandú")
cp "$source_dir/appfolder/data/PET_DATA/KESTREL.csv" "$folder/data/PET_DATA/Ñandú Río.csv"
cp "$source_dir/appfolder/data/PET_DATA/KESTREL_MONTHLY.csv" "$folder/data/PET_DATA/Κέρκυρα.csv"
cp "$source_dir/appfolder/support/heat_index_data.csv" "$folder/support/"
printf 'Ñandú Río.csv\r\n' >"$folder/list ü.txt"
run_both "names-ñandú" 1 --app-folder @APP@ pet "Ñandú Río.csv"
run_both "names-ñandú" 2 --app-folder @APP@ pet
run_both "names-ñandú" 3 --app-folder @APP@ pet --list "list ü.txt"
run_both "names-ñandú" 4 --app-folder @APP@ check "Κέρκυρα.csv"
compare "names-ñandú"

# The zip as a user unpacks it: the program finds the ApplicationFolder beside itself.
zip=$(ls "$windows_build"/sorvane-*-windows-x64.zip 2>/dev/null | head -1)
if [[ -n $zip ]]; then
  cases=$((cases + 1))
  mkdir -p "$work/zip"
  (cd "$work/zip" && unzip -q "$zip")
  unpacked=$(dirname "$(find "$work/zip" -name sorvane-cli.exe)")
  status=0
  (cd "$work" && wine64 "$unpacked/sorvane-cli.exe" pet >"$work/zip.out" 2>&1) || status=$?
  if [[ $status -eq 0 ]] && cmp -s "$unpacked/OUTPUT/KESTREL_PET.csv" "$work/samples/linux/OUTPUT/KESTREL_PET.csv"; then
    echo "identical: the unpacked zip computes the sample data in its own folder"
  else
    failures=$((failures + 1))
    echo "DIFFERENT: the unpacked zip (exit status $status)"
    cat "$work/zip.out"
  fi
fi

# plot: this build has no charts, says so and exits 2.
cases=$((cases + 1))
status=0
wine64 "$windows_cli" plot x.csv --out x.svg >"$work/plot.out" 2>&1 || status=$?
if [[ $status -eq 2 ]] && grep -q "this build has no charts" "$work/plot.out"; then
  echo "as expected: plot says this build has no charts (exit status 2)"
else
  failures=$((failures + 1))
  echo "UNEXPECTED: plot gave exit status $status"
  cat "$work/plot.out"
fi

if ((with_window)); then
  source "$source_dir/scripts/test-windows-window.sh"
else
  echo "test-windows: the window is not tested (build sorvane.exe, its driver and sorvane-window-transcript, and install xvfb)"
fi

echo "test-windows: $((cases - failures)) of $cases cases identical, in $((SECONDS - started)) s"
((failures == 0))
