// Brindlecot — the platform boundary.
//
// Everything the plugin takes from outside its own sources is declared here and nowhere else: the
// Windows types, the host library's six functions, the Win32 functions (KERNEL32, USER32,
// XINPUT9_1_0) and the linkage of the module entry.
// On Windows the types and Win32 functions come from the system headers, and the six host functions
// from an import library generated from ScriptHookV.def. On Linux the simulated host (sim/) defines
// the same symbols, so the plugin's sources compile unchanged for both.

#pragma once

#include <cstdint>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <xinput.h>
#else
// The few Windows types the plugin uses, with the sizes they have on Win64 (DWORD is 32 bits there).
typedef uint32_t DWORD;
typedef int32_t BOOL;
typedef uint32_t UINT;
typedef uint16_t WORD;
typedef uint8_t BYTE;
typedef int16_t SHORT;
typedef void* LPVOID;
typedef const char* LPCSTR;
typedef char* LPSTR;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
#define WINAPI

typedef struct _XINPUT_GAMEPAD {
    WORD wButtons;
    BYTE bLeftTrigger;
    BYTE bRightTrigger;
    SHORT sThumbLX;
    SHORT sThumbLY;
    SHORT sThumbRX;
    SHORT sThumbRY;
} XINPUT_GAMEPAD;

typedef struct _XINPUT_STATE {
    DWORD dwPacketNumber;
    XINPUT_GAMEPAD Gamepad;
} XINPUT_STATE;
#endif

static_assert(sizeof(DWORD) == 4, "DWORD must be 32 bits");
static_assert(sizeof(XINPUT_STATE) == 16, "XINPUT_STATE must be the 16-byte XInput layout");

// The library exports these as C++ functions. MSVC mangles the declarations below to exactly the
// exported names (?scriptWait@@YAXK@Z ...). Other compilers see them as C symbols; the import
// library made from ScriptHookV.def maps each C name to the exported mangled one.

#if defined(_MSC_VER)
#define HOST_LINKAGE
#else
#define HOST_LINKAGE extern "C"
#endif

HOST_LINKAGE void scriptRegister(HMODULE module, void (*entry)());  // entry runs on the script fibre
HOST_LINKAGE void scriptUnregister(HMODULE module);                 // at detach: the module's script goes
HOST_LINKAGE void scriptWait(DWORD ms);                             // yields; 0 means until the next frame
HOST_LINKAGE void nativeInit(uint64_t hash);                        // begins a native call
HOST_LINKAGE void nativePush64(uint64_t slot);                      // appends one argument slot
HOST_LINKAGE uint64_t* nativeCall();  // performs it; result slots valid until the next call

#ifndef _WIN32
extern "C" {
DWORD WINAPI GetTickCount(void);
// The value of a key (a null key: the section's key names) into a buffer cut at size, always terminated.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue, LPSTR returned, DWORD size,
                                      LPCSTR fileName);
DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);  // size when the path was cut
SHORT WINAPI GetAsyncKeyState(int virtualKey);
DWORD WINAPI XInputGetState(DWORD userIndex, XINPUT_STATE* state);
}
#endif

// The .asi exports nothing: Windows reaches pluginAttach through DllMain. The simulated host loads
// the Linux build of the module with dlopen and looks pluginAttach up by name, as the loader would
// call the DLL entry.

#ifdef _WIN32
#define PLUGIN_ENTRY extern "C"
#else
#define PLUGIN_ENTRY extern "C" __attribute__((visibility("default")))
#endif
