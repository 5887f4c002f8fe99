#!/usr/bin/env bash
# Checks the import and export tables of the Windows build: a PE32+ GUI-subsystem DLL that imports
# only what the host process provides, from the system's DLLs only the functions listed below (the
# plugin's own and those of the C runtime's DLL start-up; no C++ runtime, nothing that controls
# another thread or process or looks for a debugger), the six host functions under their exact
# mangled names, and no exports.
# Exits 77 (skipped) when the .asi has not been built. OBJDUMP names another GNU objdump that reads
# PE files (MSYS2's objdump on Windows, say); the default is mingw-w64's.
set -uo pipefail
asi=${1:?usage: [OBJDUMP=objdump] asi_tables_test.sh path/to/Brindlecot.asi}
[ -f "$asi" ] || { echo "skipped: $asi not built"; exit 77; }
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
dump=$("$objdump" -p "$asi") || { echo "FAIL: $objdump -p $asi failed"; exit 1; }
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
expected='?nativeCall@@YAPEA_KXZ ?nativeInit@@YAX_K@Z ?nativePush64@@YAX_K@Z ?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z ?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z ?scriptWait@@YAXK@Z '
[ "$host" = "$expected" ] || fail "ScriptHookV.dll imports: $host"

for pair in "KERNEL32.dll GetTickCount" "KERNEL32.dll GetPrivateProfileStringA" "KERNEL32.dll GetModuleFileNameA" \
  "USER32.dll GetAsyncKeyState" \
  "XINPUT9_1_0.dll XInputGetState" "msvcrt.dll srand" "msvcrt.dll rand"; do
  grep -qx "$pair" <<<"$imports" || fail "missing import $pair"
done

# Every function the .asi may import from the system's DLLs, by what needs it. The C runtime's part
# is mingw-w64's DLL start-up (dllcrt2), its TLS callback and its pseudo-relocator.
kernel32_allowed=(
  GetTickCount                                                         # the plugin: its clock
  GetPrivateProfileStringA GetModuleFileNameA                          # the plugin: its settings, beside it
  Sleep                                                                # DLL start-up: waits out another thread's
  VirtualProtect VirtualQuery GetLastError                             # pseudo-relocation of its own image
  InitializeCriticalSection DeleteCriticalSection EnterCriticalSection # TLS callback: the list of per-thread
  LeaveCriticalSection TlsGetValue                                     #   destructors, run at thread exit
)
msvcrt_allowed=(
  srand rand                                                           # the plugin: the resist draw
  memcpy                                                               # the plugin: a long status text's pieces
  memset                                                               # the plugin: the fresh state record of a reload
  _initterm _amsg_exit                                                 # DLL start-up: initialiser tables
  _lock _unlock calloc realloc free                                    # DLL start-up: the module's exit table
  strlen strncmp __iob_func fwrite vfprintf abort                      # pseudo-relocator: section lookup, failure
)
allowed_only() {
  local dll=$1 unexpected
  shift
  unexpected=$(awk -v dll="$dll" '$1 == dll { print $2 }' <<<"$imports" | grep -vxF -f <(printf '%s\n' "$@") |
    tr '\n' ' ')
  [ -z "$unexpected" ] || fail "$dll functions outside the allowed list: $unexpected(name what needs each in" \
    "$(basename "$0"), or remove what brought it in)"
}
allowed_only KERNEL32.dll "${kernel32_allowed[@]}"
allowed_only msvcrt.dll "${msvcrt_allowed[@]}"
allowed_only USER32.dll GetAsyncKeyState
allowed_only XINPUT9_1_0.dll XInputGetState

names=$(awk '/\[Name Pointer\/Ordinal\] Table/ { print $NF }' <<<"$dump")
[ -z "$names" ] || [ $((16#$names)) -eq 0 ] || fail "the export table names $names functions"

[ "$failures" -eq 0 ] && echo "ok: $asi"
exit $((failures > 0))
