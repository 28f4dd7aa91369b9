#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kapstat with its emulated recorder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exec "${KAPSTAT_BUILD_DIR:-$root/build}/src/app/kapstat" --sim "$@"
