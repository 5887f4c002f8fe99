#!/usr/bin/env bash
# Checks the import and export tables of the Windows build: a PE32+ DLL that imports only what the
# host process provides, the five host functions under their exact mangled names, and no exports.
# Exits 77 (skipped) when the .asi has not been built.
set -uo pipefail
asi=${1:?usage: asi_tables_test.sh path/to/Brindlecot.asi}
[ -f "$asi" ] || { echo "skipped: $asi not built"; exit 77; }
dump=$(x86_64-w64-mingw32-objdump -p "$asi") || { echo "objdump failed"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# "DLL member" for every imported function.
imports=$(awk '/DLL Name:/ { dll = $3; next } /^[ \t]*$/ { dll = "" }
  dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print dll, $3 }' <<<"$dump")

grep -q 'file format pei-x86-64' <<<"$dump" || fail "not a PE file for x86-64"
grep -q 'Magic.*(PE32+)' <<<"$dump" || fail "not PE32+"
grep -qx $'\tDLL' <<<"$dump" || fail "not flagged as a DLL"

dlls=$(awk '/DLL Name:/ { print $3 }' <<<"$dump" | sort | tr '\n' ' ')
[ "$dlls" = "KERNEL32.dll ScriptHookV.dll USER32.dll XINPUT9_1_0.dll msvcrt.dll " ] || fail "imported DLLs: $dlls"
grep -Eqi 'libstdc|libgcc|winpthread' <<<"$dlls" && fail "runtime DLL imported: $dlls"

host=$(awk '$1 == "ScriptHookV.dll" { print $2 }' <<<"$imports" | sort | tr '\n' ' ')
expected='?nativeCall@@YAPEA_KXZ ?nativeInit@@YAX_K@Z ?nativePush64@@YAX_K@Z ?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z ?scriptWait@@YAXK@Z '
[ "$host" = "$expected" ] || fail "ScriptHookV.dll imports: $host"

for pair in "KERNEL32.dll GetTickCount" "KERNEL32.dll GetPrivateProfileIntA" "USER32.dll GetAsyncKeyState" \
  "XINPUT9_1_0.dll XInputGetState"; do
  grep -qx "$pair" <<<"$imports" || fail "missing import $pair"
done

names=$(awk '/\[Name Pointer\/Ordinal\] Table/ { print $NF }' <<<"$dump")
[ -z "$names" ] || [ $((16#$names)) -eq 0 ] || fail "the export table names $names functions"

[ "$failures" -eq 0 ] && echo "ok: $asi"
exit $((failures > 0))
