#!/usr/bin/env bash
# Starts kapstat with its emulated recorder, opens the main windows one after another and saves
# each as a PNG, so that anyone can look at what a user sees.
#   scripts/screenshots.sh [--docs] [OUTPUT_FOLDER]   (default: screenshots/ in the build folder)
# --docs also copies the pictures the README shows into docs/.
# KAPSTAT_BUILD_DIR names the build folder (default: build). Runs under Xvfb when xvfb-run is
# installed, else on Qt's offscreen platform.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KAPSTAT_BUILD_DIR:-$root/build}"
docs=false
if [ "${1:-}" = "--docs" ]; then
  docs=true
  shift
fi
out="${1:-$build/screenshots}"
program="$build/src/app/kapstat"
[ -x "$program" ] || { echo "no $program: build first (scripts/build.sh)" >&2; exit 1; }
mkdir -p "$out"
out="$(cd "$out" && pwd)"

# A fresh settings folder: the pictures show a first start, and the user's settings stay as they are.
settings="$(mktemp -d)"
trap 'rm -rf "$settings"' EXIT
export XDG_CONFIG_HOME="$settings"

# Records enough for a download in progress, at the pace of a real line.
sim_options=(--records 3000 --events 20 --stations 1,3 --pace-baud 19200)
# The main program's tour, then the programs that picture single windows.
shots=(tests/config/config_window_shots tests/browse/browse_window_shots
       tests/browse/database_dialog_shots tests/print/preview_window_shots
       tests/live/live_window_shots tests/print/print_window_shots
       tests/live/counters_window_shots tests/calib/calibration_window_shots
       tests/norm/report_shots)
run() {
  if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1366x768x24" "$@"
  else
    QT_QPA_PLATFORM=offscreen "$@"
  fi
}
run "$program" --sim "${sim_options[@]}" --screenshots "$out"
for shot in "${shots[@]}"; do
  run "$build/$shot" "$out"
done
echo "screenshots in $out"
if $docs; then
  for shot in main-window status-window download-progress rms-table chart-window \
              configuration-window chwilowe-gwiazda-przebiegi printout-page-1 raport-zgodnosci; do
    cp "$out/$shot.png" "$root/docs/"
  done
  echo "README pictures copied to $root/docs"
fi
