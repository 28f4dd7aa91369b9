#!/usr/bin/env bash
# Builds the Debian package from the build folder given and checks what a user installs: the
# three programs, the desktop entry, the icons and the manual pages, nothing else; dependencies
# on the runtime packages of Qt 6, QCustomPlot and SQLite and on no development package; and
# programs that run from the unpacked package.
set -euo pipefail
build="$1"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb="$(ls "$out"/kapstat_*_amd64.deb)"

files="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}')"
expected=(
  ./usr/bin/kapstat ./usr/bin/kapstat-cli ./usr/bin/kapstat-sim
  ./usr/share/applications/kapstat.desktop
  ./usr/share/icons/hicolor/scalable/apps/kapstat.svg
  ./usr/share/man/man1/kapstat-cli.1 ./usr/share/man/man1/kapstat-sim.1
)
for size in 16 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/kapstat.png")
done
for file in "${expected[@]}"; do
  grep -qxF "$file" <<<"$files" || fail "the package lacks $file"
done
unexpected="$(grep -vxF -f <(printf '%s\n' "${expected[@]}") <<<"$files" || true)"
[ -z "$unexpected" ] || fail "the package holds more than it should: $unexpected"

depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 libqt6printsupport6 \
               libqcustomplot2.1-qt6 libsqlite3-0; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "no dependency on $package: $depends"
done
if grep -qE -- '-dev( |,|$)' <<<"$depends"; then fail "a development package among: $depends"; fi
[ "$(dpkg-deb -f "$deb" Version)" = "$("$build/src/cli/kapstat-cli" --version | cut -d' ' -f2)" ] ||
  fail "the package's version is not the programs' one"

dpkg-deb -x "$deb" "$out/root"
bin="$out/root/usr/bin"
# Whole outputs first: grep -q stops reading early, and pipefail would blame the program.
[[ "$("$bin/kapstat-sim" --version)" == "kapstat-sim "* ]] || fail "kapstat-sim --version"
[[ "$(env -u DISPLAY "$bin/kapstat" --version)" == "kapstat "* ]] || fail "kapstat --version"
status="$("$bin/kapstat-cli" --sim --records 5 status)" || fail "kapstat-cli --sim status"
[ -n "$status" ] || fail "kapstat-cli --sim status printed nothing"
grep -qx 'Exec=kapstat' "$out/root/usr/share/applications/kapstat.desktop" || fail "desktop entry"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$out/root/usr/share/applications/kapstat.desktop"
fi
echo "package $(basename "$deb") holds ${#expected[@]} files; depends on: $depends"
