#!/usr/bin/env bash
# Penman Montieth from estimated inputs against Penman Montieth from measured ones: every
# sample station file that records all inputs is cut to its temperatures and computed with
# --estimate-missing, for the dew-point offsets FAO-56 gives (0 for humid stations, 2 and 3
# for arid ones), and the totals are compared.
#
#   bench/estimate_missing.sh SORVANE_CLI [WEATHER_FILE...]
set -euo pipefail
cli=$(realpath "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)
files=("$@")
[ ${#files[@]} -gt 0 ] || files=("$here"/../appfolder/data/PET_DATA/KESTREL.csv)
work=$(mktemp -d /tmp/sorvane-estimates.XXXXXX)
trap 'rm -rf "$work"' EXIT
"$cli" init "$work/app" >/dev/null

total() {  # the sum of the column Penman Montieth of a result file
  awk -F, '{ sub(/\r$/, "") } NR == 1 { for (i = 1; i <= NF; i++) if ($i == "Penman Montieth") c = i; next } { s += $c } END { printf "%.1f", s }' "$1"
}

for file in "${files[@]}"; do
  name=$(basename "$file" .csv)
  cp "$file" "$work/app/data/PET_DATA/$name.csv"
  awk -F, 'NR <= 3 { print; next } NR == 4 { for (i = 1; i <= NF; i++) if (toupper($i) ~ /^(DATE|YEAR|MONTH|WEEK|TMAX|TMIN)$/) keep[i] = 1 }
           { line = ""; for (i = 1; i <= NF; i++) if (keep[i]) line = line (line == "" ? "" : ",") $i; print line }' \
    "$file" > "$work/app/data/PET_DATA/${name}_T.csv"
  "$cli" --app-folder "$work/app" pet "$name.csv" >/dev/null
  measured=$(total "$work/app/OUTPUT/${name}_PET.csv")
  for offset in 0 2 3; do
    "$cli" --app-folder "$work/app" pet --estimate-missing --dew-point-offset "$offset" "${name}_T.csv" >/dev/null
    estimated=$(total "$work/app/OUTPUT/${name}_T_PET.csv")
    awk -v n="$name" -v o="$offset" -v m="$measured" -v e="$estimated" \
      'BEGIN { printf "%-16s offset %s K: measured %8.1f mm, estimated %8.1f mm, %+6.1f %%\n", n, o, m, e, 100 * (e / m - 1) }'
  done
done
