#!/usr/bin/env bash
# Cross-builds sorvane-cli for 64-bit Windows with mingw-w64 into build-windows/ (Release,
# statically linked, without the Qt programs) and packs the zip for Windows users:
# build-windows/sorvane-<version>-windows-x64.zip, holding sorvane-cli.exe, the
# ApplicationFolder skeleton with the sample data beside it, README-windows.txt, the
# licence (LICENSE.txt) and the notices of the libraries built into the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows

build=build-windows
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DSORVANE_BUILD_UI=OFF -DSORVANE_BUILD_TESTS=OFF -DSORVANE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target sorvane-cli -j "$(nproc)"

version=$(sed -n 's/^project(Sorvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="sorvane-$version-windows-x64"
stage="$build/zip/$name"
rm -rf "$build/zip" "$build/$name.zip"
mkdir -p "$stage"
cp "$build/sorvane-cli.exe" "$stage/"
cp -r appfolder/data appfolder/support "$stage/"
mkdir -p "$stage/OUTPUT"
# Windows tools expect CR LF in a text file.
sed 's/$/\r/' docs/README-windows.txt >"$stage/README-windows.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
sed 's/$/\r/' docs/THIRD-PARTY-windows.txt >"$stage/THIRD-PARTY.txt"
(cd "$build/zip" && zip -q -r -X "../$name.zip" "$name")
echo "build-windows: $build/sorvane-cli.exe ($(stat -c %s "$build/sorvane-cli.exe") bytes), $build/$name.zip"
