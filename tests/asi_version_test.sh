#!/usr/bin/env bash
# Reads the version resource back from the built .asi (wrestool from icoutils extracts it) and checks
# what Windows shows under Properties > Details: the numeric file and product versions and the
# strings FileVersion, ProductVersion, ProductName, FileDescription and LegalCopyright.
#   asi_version_test.sh path/to/Brindlecot.asi VERSION
set -uo pipefail
asi=${1:?usage: asi_version_test.sh path/to/Brindlecot.asi VERSION}
version=${2:?usage: asi_version_test.sh path/to/Brindlecot.asi VERSION}
[ -f "$asi" ] || { echo "FAIL: $asi not built"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

resource=$(mktemp)
trap 'rm -f "$resource"' EXIT
wrestool -x --raw --type=16 "$asi" >"$resource" 2>/dev/null
[ -s "$resource" ] || { echo "FAIL: $asi has no version resource"; exit 1; }

# VS_FIXEDFILEINFO follows the 40-byte VS_VERSIONINFO header: signature, structure version, then the
# file and product versions as (major << 16 | minor, patch << 16 | 0).
IFS=. read -r major minor patch <<<"$version"
expected_fixed=$(printf 'feef04bd %08x %08x %08x %08x' $(((major << 16) | minor)) $((patch << 16)) \
  $(((major << 16) | minor)) $((patch << 16)))
fixed=$(od -An -tx4 -j40 -N24 "$resource" | tr -s ' \n' ' ' | awk '{ print $1, $3, $4, $5, $6 }')
[ "$fixed" = "$expected_fixed" ] || fail "fixed file info (signature, file, product version): $fixed, expected $expected_fixed"

# The string table is UTF-16: each key is followed by its value.
strings=$(x86_64-w64-mingw32-strings -el -n 1 "$resource")
value() { grep -A1 -xF "$1" <<<"$strings" | sed -n 2p; }
for pair in "FileVersion=$version" "ProductVersion=$version" "ProductName=Brindlecot"; do
  [ "$(value "${pair%%=*}")" = "${pair#*=}" ] || fail "${pair%%=*} is '$(value "${pair%%=*}")', expected '${pair#*=}'"
done
value FileDescription | grep -q 'Brindlecot' || fail "FileDescription is '$(value FileDescription)'"
value LegalCopyright | grep -q 'The Brindlecot developers' || fail "LegalCopyright is '$(value LegalCopyright)'"

[ "$failures" -eq 0 ] && echo "ok: $asi is version $version"
exit $((failures > 0))
