#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer and runs
# each for the given number of seconds (default 60). Findings land in build-fuzz/findings/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="$root/build-fuzz"
"$root/scripts/install-deps.sh"
if [ ! -f "$build/build.ninja" ]; then
  CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAPSTAT_FUZZ=ON
fi
cmake --build "$build" --parallel "$(nproc)"
mkdir -p "$build/findings" "$build/corpus/settings_fuzzer"
# A real settings file gives the settings reader's fuzzing somewhere to start from.
cli="$root/build/src/cli/kapstat-cli"
[ -x "$cli" ] && "$cli" --sim config read "$build/corpus/settings_fuzzer/default.ust" 2>/dev/null || true
for target in "$build"/fuzz/*_fuzzer; do
  name="$(basename "$target")"
  mkdir -p "$build/corpus/$name"
  echo "== $name for ${seconds}s"
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/findings/$name-" \
    "$build/corpus/$name" 2>&1 | grep -E 'stat::number_of_executed_units|Done|ERROR|SUMMARY' || true
done
