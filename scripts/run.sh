#!/usr/bin/env bash
# Quick start: installs what is missing, builds, and computes PET for the bundled
# sample weather files. The results land in build/OUTPUT.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build/sorvane-cli --app-folder build pet
