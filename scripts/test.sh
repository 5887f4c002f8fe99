#!/usr/bin/env bash
# Builds everything (the Linux build on the simulated host, the sanitizer build and the Windows
# .asi) and runs every check: format, static analysis, unit and scenario tests, the soak under the
# sanitizers, the tests of the .asi itself and a minute of fuzzing the settings' words. Works in a git checkout and in an unpacked source
# tarball alike, and never reads standard input after the package step.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh all
exec </dev/null

echo "== format"
mapfile -t files < <(find src sim scenes tests demo bench wine fuzz -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
[ "${#files[@]}" -gt 0 ] || { echo "format: no C++ sources found under $PWD" >&2; exit 1; }
clang-format --dry-run --Werror "${files[@]}"

echo "== static analysis"
cppcheck --enable=warning,style,performance,portability --error-exitcode=1 --inline-suppr --std=c++17 \
  -I src --suppress=missingIncludeSystem --suppress=useStlAlgorithm --quiet src

for preset in linux asan windows; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

for preset in linux asan windows; do
  echo "== test $preset"
  ctest --preset "$preset"
done

echo "== fuzz the settings' words (a minute)"
scripts/fuzz.sh 60
