# The window part of scripts/test-windows.sh, sourced by it (its variables and functions
# are at hand): sorvane.exe driven through all three modules, and its installer.

# Faces of the same metrics for those the window was designed with, as on a Windows desktop.
for face in "Arial:Liberation Sans" "Times New Roman:Liberation Serif" "Courier New:Liberation Mono" \
  "MS Sans Serif:Liberation Sans"; do
  wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%:*}" /t REG_SZ /d "${face#*:}" /f >/dev/null 2>&1
done

# A Linux path as Wine's programs see it, on its drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Runs the driver against `program` with the ApplicationFolder `folder` (both as Windows
# names them); its account in OUT_PREFIX.txt.
drive_window() {  # drive_window PROGRAM FOLDER OUT_PREFIX
  wine64 "$windows_build/sorvane-window-driver.exe" "$1" "$2" "$(windows_path "$3.bmp")" >"$3.out" 2>"$3.err" || true
  tr -d '\r' <"$3.out" >"$3.txt"
}

# The three modules through the window, against the window model's jobs on Linux.
cases=$((cases + 1))
mkdir -p "$work/window"
template window "$source_dir/appfolder" >/dev/null
cp -r "$work/window/template" "$work/window/linux"
cp -r "$work/window/template" "$work/window/windows"
"$linux_transcript" "$work/window/linux" >"$work/window/linux.notices"
drive_window "$(windows_path "$windows_build/sorvane.exe")" "$(windows_path "$work/window/windows")" "$work/window/driver"
grep '^notice: \|^progress: \|^scope: ' "$work/window/driver.txt" | tr '\\' '/' >"$work/window/windows.notices" || true
problems=()
grep -q '^driver: all as designed$' "$work/window/driver.txt" || problems+=("the driver")
diff -r "$work/window/linux" "$work/window/windows" >"$work/window/diff" 2>&1 || problems+=("files")
cmp -s "$work/window/linux.notices" "$work/window/windows.notices" || problems+=("notices")
if ((${#problems[@]})); then
  failures=$((failures + 1))
  echo "DIFFERENT: the window (${problems[*]})"
  grep -v '^notice: ' "$work/window/driver.txt" | head -30
  head -20 "$work/window/diff"
  diff "$work/window/linux.notices" "$work/window/windows.notices" | head -10
  head -5 "$work/window/driver.err"
else
  echo "identical: the window through all three modules ($(find "$work/window/windows/OUTPUT" -type f | wc -l) files," \
    "$(grep -c "^notice: " "$work/window/windows.notices") notices; $(grep -c '^places: ' "$work/window/driver.txt") views placed as designed)"
fi
if [[ -s "$work/window/driver.bmp" ]]; then
  python3 "$source_dir/scripts/bmp_to_png.py" "$work/window/driver.bmp" "$windows_build/sorvane-window.png"
fi

# The installer: silently into the fresh prefix, the installed window runs the modules, and
# the uninstaller leaves the ApplicationFolder's data and results in place.
setup=$(ls "$windows_build"/sorvane-*-setup.exe 2>/dev/null | head -1)
if [[ -n $setup ]]; then
  cases=$((cases + 1))
  installed="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Sorvane"
  wine64 "$setup" /S >/dev/null 2>&1 || true
  for _ in $(seq 60); do [[ -e $installed/uninstall.exe ]] && break; sleep 0.5; done
  problems=()
  for file in sorvane.exe sorvane-cli.exe README-windows.txt uninstall.exe data/PET_DATA/KESTREL.csv \
    support/Coefficients.csv; do
    [[ -e $installed/$file ]] || problems+=("$file not installed")
  done
  [[ -n $(find "$WINEPREFIX/drive_c/users" -iname "Sorvane.lnk" 2>/dev/null) ]] || problems+=("no Start-menu entry")
  if [[ -e $installed/sorvane.exe ]]; then
    # As the Start-menu entry names it: on drive C:.
    installed_windows="C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Sorvane"
    drive_window "$installed_windows\\sorvane.exe" "$installed_windows" "$work/window/installed"
    cmp -s "$installed/OUTPUT/KESTREL_PET.csv" "$work/window/linux/OUTPUT/KESTREL_PET.csv" ||
      problems+=("the installed window's PET results")
  fi
  wine64 "$installed/uninstall.exe" /S >/dev/null 2>&1 || true
  for _ in $(seq 60); do [[ -e $installed/sorvane.exe ]] || break; sleep 0.5; done
  [[ ! -e $installed/sorvane.exe && ! -e $installed/sorvane-cli.exe ]] || problems+=("programs left by the uninstaller")
  [[ -e $installed/OUTPUT/KESTREL_PET.csv && -e $installed/data/PET_DATA/KESTREL.csv ]] ||
    problems+=("data or results removed by the uninstaller")
  if ((${#problems[@]})); then
    failures=$((failures + 1))
    echo "UNEXPECTED: the installer (${problems[*]})"
    grep -v '^places: ' "$work/window/installed.txt" 2>/dev/null | head -20
  else
    echo "as expected: the installer installs silently, its window computes the samples, its uninstaller keeps data and results"
  fi
fi
