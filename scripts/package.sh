#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package of the three programs in
# build/package/ (kapstat_VERSION_amd64.deb). Install it with
#   sudo apt-get install ./build/package/kapstat_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KAPSTAT_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$build"
cpack -G DEB -B "$build/package"
ls "$build"/package/kapstat_*.deb
