#!/usr/bin/env bash
# The plugin's house has floors: host/ (the platform boundary) at the bottom, then state, then
# input/ and hud/, then arrest/, then script at the top. A file may include its own floor or one
# below, never one above, and nothing in src/ includes the simulated host or the tools around it.
# Only src/host/ speaks the native call protocol: the other floors, and the tools around the plugin
# (the benchmark's hand-written loop among them), call the typed natives.
set -uo pipefail
src=${1:?usage: layers_test.sh path/to/src}
floor() {
  case "$1" in
    host/*) echo 0 ;;
    state.*) echo 1 ;;
    input/* | hud/*) echo 2 ;;
    arrest/*) echo 3 ;;
    script.*) echo 4 ;;
    *) echo 9 ;;
  esac
}
failures=0
cd "$src" || exit 1
while IFS= read -r file; do
  from=$(floor "$file")
  while IFS= read -r target; do
    to=$(floor "$target")
    if [ "$to" -gt "$from" ]; then
      echo "FAIL: $file includes $target, a floor above it"
      failures=$((failures + 1))
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)
while IFS= read -r line; do
  echo "FAIL: $line calls a native by hand; add a typed operation to src/host/natives.h"
  failures=$((failures + 1))
done < <(cd .. && grep -rn --include='*.h' --include='*.cpp' -e 'callNative' -e 'native_call\.h' src sim scenes tests demo bench wine 2>/dev/null |
  grep -v '^src/host/')
[ "$failures" -eq 0 ] && echo "ok: no include runs up a floor, and only src/host/ calls natives by hand"
exit $((failures > 0))
