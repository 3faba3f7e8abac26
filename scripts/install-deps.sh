#!/usr/bin/env bash
# Installs the Debian 12 packages Sorvane builds and tests with (run as root), and the
# packages named as arguments (scripts/package.sh asks for its packaging tools so).
# Packages already present are not asked for again, so a ready machine needs no network.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev xvfb xauth fonts-liberation
  locales time python3 help2man
  clang-14 libclang-rt-14-dev
  "$@"
)

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
