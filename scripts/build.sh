#!/usr/bin/env bash
# Configures (once) and builds the project in build/ with Ninja.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KAPSTAT_BUILD_DIR:-$root/build}"
# Lets ccache reuse objects between clones of the project in other folders.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --parallel "$(nproc)"
