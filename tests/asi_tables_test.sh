#!/usr/bin/env bash
# Checks the import and export tables of the Windows build: a PE32+ GUI-subsystem DLL that imports
# only what the host process provides, from KERNEL32 only the functions listed below (nothing that
# controls another thread or process or looks for a debugger), the five host functions under their
# exact mangled names, and no exports.
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
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$dump" || fail "not a Windows GUI module: $(grep '^Subsystem' <<<"$dump")"

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

# Every KERNEL32 function the .asi may import, by what needs it.
kernel32_allowed=(
  GetTickCount GetPrivateProfileIntA                                   # the plugin
  InitializeCriticalSection EnterCriticalSection LeaveCriticalSection  # DLL start and exit (C runtime)
  DeleteCriticalSection TlsAlloc TlsFree TlsGetValue TlsSetValue GetLastError SetLastError Sleep
  VirtualProtect VirtualQuery                                          # relocations of its own image
  CreateSemaphoreW ReleaseSemaphore WaitForSingleObject CloseHandle    # guarded statics, win32 threads
  GetCurrentThreadId
  RaiseException RtlCaptureContext RtlLookupFunctionEntry RtlUnwindEx  # C++ unwinding
  RtlVirtualUnwind
  IsDBCSLeadByteEx MultiByteToWideChar WideCharToMultiByte             # C runtime text conversion
  GetModuleHandleW GetProcAddress LoadLibraryW                         # libstdc++ random_device (rand_s)
)
unexpected=$(awk '$1 == "KERNEL32.dll" { print $2 }' <<<"$imports" | grep -vxF -f <(printf '%s\n' "${kernel32_allowed[@]}") |
  tr '\n' ' ')
[ -z "$unexpected" ] || fail "KERNEL32 functions outside the allowed list: $unexpected"

names=$(awk '/\[Name Pointer\/Ordinal\] Table/ { print $NF }' <<<"$dump")
[ -z "$names" ] || [ $((16#$names)) -eq 0 ] || fail "the export table names $names functions"

[ "$failures" -eq 0 ] && echo "ok: $asi"
exit $((failures > 0))
