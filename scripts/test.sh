#!/usr/bin/env bash
# Builds everything (the Linux build on the simulated host, the sanitizer build and the Windows
# .asi) and runs every check: format, static analysis, unit and scenario tests, the soak under the
# sanitizers and the tests of the .asi itself.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh all

echo "== format"
files=$(git ls-files 'src/*.cpp' 'src/*.h' 'sim/*.cpp' 'sim/*.h' 'tests/*.cpp' 'tests/*.h' 'demo/*.cpp' 'demo/*.h' \
  'bench/*.cpp' 'bench/*.h' 'wine/*.cpp' 'wine/*.h' 2>/dev/null || true)
clang-format --dry-run --Werror $files

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
