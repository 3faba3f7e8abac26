#!/usr/bin/env bash
# Installs the Debian 12 packages Sorvane builds and tests with (run as root), and the
# packages named as arguments (scripts/package.sh asks for its packaging tools so).
# Packages already present are not asked for again, so a ready machine needs no network.
#
#   scripts/install-deps.sh                everything
#   scripts/install-deps.sh PACKAGE...     everything, and these packages too
#   scripts/install-deps.sh windows        only what the Windows build and its Wine test need
set -euo pipefail

# The cross build for Windows (CLI11 is header-only: the host's headers serve it), its
# installer maker, and Wine with a virtual display to run the programs and the window.
windows_packages=(
  cmake make libcli11-dev g++-mingw-w64-x86-64-posix wine64 zip unzip python3 nsis xvfb xauth fonts-liberation
)
packages=("${windows_packages[@]}")
if [[ ${1:-} != windows ]]; then
  packages+=(
    g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev xvfb xauth fonts-liberation
    locales time help2man
    clang-14 libclang-rt-14-dev
    "$@"
  )
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "install-deps: these packages are missing; run as root to install them: ${missing[*]}" >&2
    exit 1
  fi
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
