#!/usr/bin/env bash
# Builds the release package dist/Brindlecot-<version>.zip: Brindlecot.asi, Brindlecot.ini and
# INSTALL.txt, the version taken from the project() line of the build.
#   scripts/package.sh [BUILD_DIR [DIST_DIR]]   BUILD_DIR defaults to build/windows (built if needed)
# The package's INI is checked through the Windows INI reader (under Wine) to give every default, and
# the zipped .asi must be byte for byte the one in BUILD_DIR, the one its tests ran against.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ]; then
  (cd "$root" && cmake --preset windows >/dev/null && cmake --build --preset windows --target Brindlecot runner >/dev/null)
fi
build=$(cd "${1:-$root/build/windows}" && pwd)
dist=${2:-$root/dist}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "package: no project version in $build/CMakeCache.txt" >&2; exit 1; }
[ -f "$build/Brindlecot.asi" ] || { echo "package: $build/Brindlecot.asi is missing" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$build/Brindlecot.asi" "$root/package/Brindlecot.ini" "$root/package/INSTALL.txt" "$stage/"
mkdir -p "$dist"
zip="$dist/Brindlecot-$version.zip"
rm -f "$zip"
(cd "$stage" && zip -q -X "$zip" Brindlecot.asi Brindlecot.ini INSTALL.txt)

# Check what was zipped, not what was staged.
check="$stage/check"
mkdir "$check"
unzip -q "$zip" -d "$check"
cmp "$check/Brindlecot.asi" "$build/Brindlecot.asi"
cp "$build/runner.exe" "$build/ScriptHookV.dll" "$check/"
if [ "$(uname -s)" = Linux ]; then
  (cd "$check" && WINEPREFIX="${WINEPREFIX:-$build/wineprefix}" "$root/wine/wine-run.sh" runner.exe --check-ini Brindlecot.ini)
else
  (cd "$check" && ./runner.exe --check-ini Brindlecot.ini)
fi
echo "package: $zip"
