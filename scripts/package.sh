#!/usr/bin/env bash
# Builds the release package dist/Brindlecot-<version>.zip: Brindlecot.asi, Brindlecot.ini,
# INSTALL.txt, LICENSE and CHANGELOG.md, the version taken from the project() line of the build.
#   scripts/package.sh [BUILD_DIR [DIST_DIR]]   BUILD_DIR defaults to build/windows (built if needed)
# The zip must hold exactly those files, each naming the version where a player reads it; its INI is
# checked through the Windows INI reader (under Wine) to give every default, and the zipped .asi must
# be byte for byte the one in BUILD_DIR, the one its tests ran against.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ]; then
  (cd "$root" && cmake --preset windows >/dev/null && cmake --build --preset windows --target Brindlecot runner >/dev/null)
fi
build=$(cd "${1:-$root/build/windows}" && pwd)
dist=${2:-$root/dist}
fail() { echo "package: $*" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
[ -f "$build/Brindlecot.asi" ] || fail "$build/Brindlecot.asi is missing"

files=(Brindlecot.asi Brindlecot.ini INSTALL.txt LICENSE CHANGELOG.md)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$build/Brindlecot.asi" "$build/package/Brindlecot.ini" "$build/package/INSTALL.txt" "$stage/"
# Players open the text files in Notepad: every one ends its lines with CRLF.
for text in LICENSE CHANGELOG.md; do
  sed 's/\r$//; s/$/\r/' "$root/$text" >"$stage/$text"
done
mkdir -p "$dist"
zip="$dist/Brindlecot-$version.zip"
rm -f "$zip"
(cd "$stage" && zip -q -X "$zip" "${files[@]}")

# Check what was zipped, not what was staged.
check="$stage/check"
mkdir "$check"
unzip -q "$zip" -d "$check" </dev/null
listed=$(cd "$check" && ls -A | sort | tr '\n' ' ')
expected=$(printf '%s\n' "${files[@]}" | sort | tr '\n' ' ')
[ "$listed" = "$expected" ] || fail "the zip holds: $listed; expected: $expected"
cmp "$check/Brindlecot.asi" "$build/Brindlecot.asi" || fail "the zipped .asi is not the tested one"
head -n 1 "$check/INSTALL.txt" | grep -qF "Brindlecot $version " || fail "INSTALL.txt does not start with version $version"
head -n 1 "$check/Brindlecot.ini" | grep -qF "Brindlecot $version " || fail "Brindlecot.ini's header does not name version $version"
grep -m 1 '^## ' "$check/CHANGELOG.md" | grep -qE "^## ${version//./\\.}( |$)" || fail "CHANGELOG.md's top entry is not version $version"
grep -q '^MIT License' "$check/LICENSE" || fail "LICENSE is not the MIT license"
for text in Brindlecot.ini INSTALL.txt LICENSE CHANGELOG.md; do
  if grep -q $'[^\r]$\|^$' "$check/$text"; then fail "$text has a line that does not end in CRLF"; fi
  if grep -q '@[A-Z_]*@' "$check/$text"; then fail "$text has a word the package did not fill in"; fi
done
long=$(awk 'length($0) > 101 { print FILENAME ": " $0 }' "$check/Brindlecot.ini" "$check/INSTALL.txt")
[ -z "$long" ] || fail "a line a player reads is over 100 characters: $long"

cp "$build/runner.exe" "$build/ScriptHookV.dll" "$check/"
if [ "$(uname -s)" = Linux ]; then
  (cd "$check" && WINEPREFIX="${WINEPREFIX:-$build/wineprefix}" "$root/wine/wine-run.sh" runner.exe --check-ini Brindlecot.ini </dev/null)
else
  (cd "$check" && ./runner.exe --check-ini Brindlecot.ini </dev/null)
fi
echo "package: $zip"
