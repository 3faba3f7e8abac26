#!/usr/bin/env bash
# Cross-builds Sorvane for 64-bit Windows with mingw-w64 into build-windows/ (Release,
# statically linked): sorvane.exe (the native window), sorvane-cli.exe and the driver of
# the window's test. Packs the zip for Windows users,
# build-windows/sorvane-<version>-windows-x64.zip, holding both programs, the
# ApplicationFolder skeleton with the sample data beside them, README-windows.txt, the
# licence (LICENSE.txt) and the notices of the libraries built into the program, and the
# installer build-windows/sorvane-<version>-setup.exe.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows

build=build-windows
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DSORVANE_BUILD_UI=ON -DSORVANE_BUILD_TESTS=OFF -DSORVANE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target sorvane-cli sorvane sorvane-window-driver -j "$(nproc)"

version=$(sed -n 's/^project(Sorvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="sorvane-$version-windows-x64"
stage="$build/zip/$name"
rm -rf "$build/zip" "$build/$name.zip"
mkdir -p "$stage"
cp "$build/sorvane-cli.exe" "$build/sorvane.exe" "$stage/"
cp -r appfolder/data appfolder/support "$stage/"
mkdir -p "$stage/OUTPUT"
# Windows tools expect CR LF in a text file.
sed 's/$/\r/' docs/README-windows.txt >"$stage/README-windows.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
sed 's/$/\r/' docs/THIRD-PARTY-windows.txt >"$stage/THIRD-PARTY.txt"
(cd "$build/zip" && zip -q -r -X "../$name.zip" "$name")
makensis -V2 -DVERSION="$version" -DSTAGE="$PWD/$stage" -DOUTFILE="$PWD/$build/sorvane-$version-setup.exe" \
  -DICON="$PWD/$build/src/ui/win32/pictures/sorvane.ico" scripts/sorvane-setup.nsi
for program in sorvane.exe sorvane-cli.exe; do
  echo "build-windows: $build/$program ($(stat -c %s "$build/$program") bytes)"
done
echo "build-windows: $build/$name.zip, $build/sorvane-$version-setup.exe"
