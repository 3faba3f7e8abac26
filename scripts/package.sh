#!/usr/bin/env bash
# Builds Sorvane (Release, without tests and benchmarks, in build-package/) and makes the
# Debian package build/sorvane_<version>_<arch>.deb with CPack, then checks it with
# lintian. Installs what is missing first, the packaging tools included (run as root).
# Install the package with: sudo apt install ./build/sorvane_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh dpkg-dev file lintian

# Debian's hardening flags (stack protector, fortified calls, read-only relocations bound
# at start); the optimisation of the Release build and -ffp-contract=off come after them
# and stand.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DSORVANE_BUILD_TESTS=OFF -DSORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build build-package -j "$(nproc)"

rm -rf build-package/packages
(cd build-package && cpack -G DEB -B packages >/dev/null)
mkdir -p build
deb=$(find build-package/packages -maxdepth 1 -name 'sorvane_*.deb' -print -quit)
cp "$deb" build/
deb=build/$(basename "$deb")

lintian --fail-on error "$deb" || {
  echo "package: lintian found errors in $deb" >&2
  exit 1
}
echo "package: $deb"
